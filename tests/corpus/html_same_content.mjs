// Checks that compressed pages keep their content: parses each page and its
// compressed forms with parse5 and compares, in document order, the words of
// the text (text nodes outside script and style, white space normalised),
// the elements (tag names) and the attributes with their values. Values that
// the compressor rewrites on purpose are compared by their presence only:
// event handlers ("on...") and style attributes are compressed as scripts and
// style declarations, and boolean attributes lose their values. noscript
// content is parsed as markup (scripting off), as the compressor reads it.
//
// Three things that a browser never shows are left out, so that they do not
// hide real differences: text inside iframe, noembed and noframes (raw text,
// not rendered); the split of one text by a comment (deleting "a<!-- -->b"
// joins two text nodes into the one word "ab" that was shown before too);
// and formatting elements that hold only white space, which the parser makes
// up when it carries an unclosed "<a>" or "<b>" across white space between
// blocks (so they come and go with that white space).
//
// Usage: node html_same_content.mjs NODE_FOLDER INPUT_FOLDER OUTPUT_FOLDER [KNOWN]
// NODE_FOLDER is where setup.sh installed parse5; OUTPUT_FOLDER holds one
// subfolder per property set, as html_corpus_compress writes them. KNOWN
// names pages (one a line, "#" starts a comment) whose difference is known
// and accepted. Prints the counts per set and the pages that differ, with
// their first difference; exits 1 when a page not named in KNOWN differs.
import { createRequire } from 'node:module';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';

const [nodeFolder, inputFolder, outputFolder, knownFile] = process.argv.slice(2);
if (!outputFolder) {
    console.error('usage: node html_same_content.mjs NODE_FOLDER INPUT_FOLDER OUTPUT_FOLDER [KNOWN]');
    process.exit(2);
}
const known = new Set(knownFile === undefined ? [] : readFileSync(knownFile, 'utf8')
    .split('\n')
    .map((line) => line.replace(/#.*/, '').trim())
    .filter((line) => line !== ''));
const require = createRequire(join(resolve(nodeFolder), 'package.json'));
const { parse } = require('parse5');

const BOOLEAN_ATTRIBUTES = new Set([
    'checked', 'compact', 'controls', 'declare', 'defer', 'disabled', 'hidden', 'ismap',
    'mayscript', 'multiple', 'nohref', 'noresize', 'noshade', 'notab', 'nowrap', 'readonly',
    'shapes', 'selected',
]);
const UNSHOWN_TEXT_ELEMENTS = new Set(['script', 'style', 'iframe', 'noembed', 'noframes']);
const FORMATTING_ELEMENTS = new Set([
    'a', 'b', 'big', 'code', 'em', 'font', 'i', 'nobr', 's', 'small', 'strike', 'strong', 'tt', 'u',
]);

function describeAttribute({ name, value }) {
    const rewritten = name.startsWith('on') || name === 'style' || BOOLEAN_ATTRIBUTES.has(name);
    return rewritten ? name : `${name}=${value}`;
}

function holdsOnlyWhiteSpace(node) {
    return (node.childNodes ?? []).every((child) =>
        child.nodeName === '#comment' ||
        (child.nodeName === '#text' && /^[\t\n\f\r ]*$/.test(child.value)));
}

// The content of a page as three lists, in document order.
function contentOf(html) {
    const content = { words: [], elements: [], attributes: [] };
    let text = '';
    const flushText = () => {
        content.words.push(...text.split(/[\t\n\f\r ]+/).filter(Boolean));
        text = '';
    };
    const walk = (node, shown) => {
        for (const child of node.childNodes ?? []) {
            if (child.nodeName === '#text') {
                if (shown)
                    text += child.value;
            } else if (child.tagName) {
                if (FORMATTING_ELEMENTS.has(child.tagName) && holdsOnlyWhiteSpace(child))
                    continue;
                flushText();
                content.elements.push(child.tagName);
                content.attributes.push(child.attrs.map(describeAttribute).join(' '));
                walk(child, shown && !UNSHOWN_TEXT_ELEMENTS.has(child.tagName));
                if (child.content)
                    walk(child.content, shown);
                flushText();
            }
        }
    };
    walk(parse(html, { scriptingEnabled: false }), true);
    flushText();
    return content;
}

function firstDifference(before, after) {
    for (const kind of ['elements', 'attributes', 'words']) {
        const a = before[kind];
        const b = after[kind];
        const length = Math.max(a.length, b.length);
        for (let i = 0; i < length; ++i) {
            if (a[i] !== b[i]) {
                const show = (list) =>
                    JSON.stringify(list.slice(Math.max(0, i - 2), i + 3)).slice(0, 300);
                return `${kind} #${i}: ${show(a)} became ${show(b)}`;
            }
        }
    }
    return null;
}

const sets = readdirSync(outputFolder, { withFileTypes: true })
    .filter((entry) => entry.isDirectory())
    .map((entry) => entry.name)
    .sort();
const pages = readdirSync(inputFolder).sort();
let failed = false;
for (const set of sets) {
    let same = 0;
    const differing = [];
    for (const page of pages) {
        const outputPath = join(outputFolder, set, page);
        if (!existsSync(outputPath)) {
            differing.push(`${page}: no output`);
            failed = true;
            continue;
        }
        // latin1 maps every byte to one character: the compressor works on bytes.
        const before = contentOf(readFileSync(join(inputFolder, page), 'latin1'));
        const after = contentOf(readFileSync(outputPath, 'latin1'));
        const difference = firstDifference(before, after);
        if (difference === null) {
            ++same;
        } else {
            differing.push(`${known.has(page) ? 'known ' : ''}${page}: ${difference}`);
            failed ||= !known.has(page);
        }
    }
    console.log(`${set}: ${pages.length} pages, ${same} with the same content, ` +
        `${differing.length} differing`);
    for (const line of differing)
        console.log(`  ${line}`);
}
process.exit(failed ? 1 : 0);
