// Checks that compressed style sheets mean what their originals mean:
// lightningcss parses and minifies each sheet and its compressed form (with
// error recovery, so that a rule the compressor broke is dropped and shows as
// a difference), and the two minified texts are compared token by token.
// Comments are left out (lightningcss keeps "/*!" ones). White space that
// separates nothing is not counted: at either end and next to a string; in a
// declaration, anywhere but between two words (or a word and "("); in a
// selector or prelude, next to "," ";" "{" "}" ">" "~" "!" "=", after "(" or
// ":", before ")", and next to "*" or "/" inside brackets (calc()). Elsewhere
// in a selector it may be a descendant combinator, so it counts.
//
// Usage: node css_same_meaning.mjs NODE_FOLDER INPUT_FOLDER OUTPUT_FOLDER [KNOWN]
// NODE_FOLDER is where setup.sh installed lightningcss; KNOWN names sheets
// (one a line, "#" starts a comment) whose difference is known and accepted.
// Exits 77 (skipped) when lightningcss is not installed there, 1 when a
// sheet not named in KNOWN differs, or one named in KNOWN no longer does.
import { createRequire } from 'node:module';
import { readdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';

const [nodeFolder, inputFolder, outputFolder, knownFile] = process.argv.slice(2);
if (!outputFolder) {
    console.error('usage: node css_same_meaning.mjs NODE_FOLDER INPUT_FOLDER OUTPUT_FOLDER [KNOWN]');
    process.exit(2);
}
const known = new Set(knownFile === undefined ? [] : readFileSync(knownFile, 'utf8')
    .split('\n')
    .map((line) => line.replace(/#.*/, '').trim())
    .filter((line) => line !== ''));

let lightningcss;
try {
    lightningcss = createRequire(join(resolve(nodeFolder), 'package.json'))('lightningcss');
} catch {
    console.log(`lightningcss is not installed in ${nodeFolder} (run tests/corpus/setup.sh): check skipped`);
    process.exit(77);
}

function minify(name, code) {
    const { code: out } = lightningcss.transform({
        filename: name, code, minify: true, errorRecovery: true,
    });
    return out.toString('utf8');
}

// Strings, unquoted url() bodies, comments, runs of white space, numbers
// with their units, names (function names with their "("), hashes and
// single other characters.
const NAME = String.raw`(?:--|-?(?:[a-zA-Z_\u0080-\uffff]|\\[\s\S]))(?:[\w\-\u0080-\uffff]|\\[\s\S])*`;
const TOKEN = new RegExp([
    String.raw`"(?:[^"\\]|\\[\s\S])*"?`, String.raw`'(?:[^'\\]|\\[\s\S])*'?`,
    String.raw`url\([^)]*\)?`, String.raw`\/\*[\s\S]*?(?:\*\/|$)`, String.raw`\s+`,
    String.raw`[+-]?(?:\d*\.\d+|\d+)(?:e[+-]?\d+)?(?:%|${NAME})?`,
    `${NAME}\\(?`, String.raw`#(?:[\w\-\u0080-\uffff]|\\[\s\S])+`, String.raw`[\s\S]`,
].join('|'), 'giy');
const NOTHING_AFTER = new Set([',', ';', '{', '}', '>', '~', '!', '(', ':', '=']);
const NOTHING_BEFORE = new Set([',', ';', '{', '}', '>', '~', '!', ')', '=']);

const isString = (token) => token[0] === '"' || token[0] === "'";
const isOperator = (token) => token === '*' || token === '/';

// Tokens with each run of white space and comments as one " ".
function rawTokens(text) {
    const all = [];
    for (const token of text.match(TOKEN) ?? []) {
        const blank = /^\s/.test(token) || token.startsWith('/*');
        if (!blank) all.push(token);
        else if (all.length > 0 && all[all.length - 1] !== ' ') all.push(' ');
    }
    return all;
}

// Per token, whether it lies in a declaration: an item (what follows "{",
// ";" or "}") that ends before any "{" of its own.
function declarationMarks(all) {
    const marks = new Array(all.length).fill(false);
    let start = 0;
    while (start < all.length) {
        let end = start;
        for (let brackets = 0; end < all.length; ++end) {
            const token = all[end];
            if (token === '(' || token === '[' || token.endsWith('(')) ++brackets;
            else if (token === ')' || token === ']') --brackets;
            else if (token === '}' || (brackets <= 0 && (token === '{' || token === ';'))) break;
        }
        if (all[end] !== '{') marks.fill(true, start, end);
        start = end + 1;
    }
    return marks;
}

function separateWhenJoined(before, after) {
    const joined = (before + after).match(TOKEN) ?? [];
    return joined.length === 2 && joined[0] === before && joined[1] === after;
}

// Whether the space between before and after separates anything. In a
// declaration only two words joined into one would differ; in a selector or
// an at-rule's prelude it may be a descendant combinator.
function spaceCounts(before, after, inDeclaration, brackets) {
    if (before === undefined || after === undefined) return false;
    if (isString(before) || isString(after)) return false;
    if (inDeclaration) return !separateWhenJoined(before, after);
    if (NOTHING_AFTER.has(before) || NOTHING_BEFORE.has(after)) return false;
    return !(brackets > 0 && (isOperator(before) || isOperator(after)));
}

function tokens(text) {
    const all = rawTokens(text);
    const inDeclaration = declarationMarks(all);
    const kept = [];
    let brackets = 0;
    for (let i = 0; i < all.length; ++i) {
        const token = all[i];
        if (token === '(' || token === '[' || token.endsWith('(')) ++brackets;
        if (token === ')' || token === ']') --brackets;
        if (token !== ' ') kept.push(token);
        else if (spaceCounts(all[i - 1], all[i + 1], inDeclaration[i], brackets)) kept.push(' ');
    }
    return kept;
}

function firstDifference(a, b) {
    const ta = tokens(a);
    const tb = tokens(b);
    for (let i = 0; i < Math.max(ta.length, tb.length); ++i) {
        if (ta[i] !== tb[i]) {
            const around = (list) => JSON.stringify(list.slice(Math.max(0, i - 8), i + 8).join(''));
            return `token ${i}: ${around(ta)} became ${around(tb)}`;
        }
    }
    return null;
}

const counts = { same: 0, different: 0, known: 0, unparseable: 0 };
const failures = [];
for (const name of readdirSync(inputFolder).sort()) {
    const input = readFileSync(join(inputFolder, name));
    const output = readFileSync(join(outputFolder, name));
    let original;
    try {
        original = minify(name, input);
    } catch {
        ++counts.unparseable;
        continue;
    }
    let compressed;
    let difference;
    try {
        compressed = minify(name, output);
        difference = original === compressed ? null : firstDifference(original, compressed);
    } catch (error) {
        difference = `output no longer parses: ${error.message}`;
    }
    if (difference === null) {
        ++counts.same;
        if (known.has(name)) failures.push(`${name}: listed as known but no longer differs`);
    } else if (known.has(name)) {
        ++counts.known;
        console.log(`known ${name}: ${difference}`);
    } else {
        ++counts.different;
        failures.push(`${name}: ${difference}`);
    }
}

console.log(`same meaning: ${counts.same}`);
console.log(`different: ${counts.different}`);
console.log(`known differences: ${counts.known}`);
console.log(`input unparseable (skipped): ${counts.unparseable}`);
for (const line of failures) console.log(`different ${line}`);
process.exit(failures.length === 0 ? 0 : 1);
