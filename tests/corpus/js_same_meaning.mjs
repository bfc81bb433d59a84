// Checks that compressed scripts mean what their originals mean: parses each
// input and its output with acorn (as a script, else as a module) and
// compares the two syntax trees, leaving out positions and raw source text.
// Literals compare by value, template pieces by their cooked value. Both
// trees are first brought to one form: string literals that stand side by
// side in a chain of "+" are joined (so a folded pair counts as the same only
// when the joined value is), and empty statements in statement lists go.
//
// Usage: node js_same_meaning.mjs NODE_FOLDER INPUT_FOLDER OUTPUT_FOLDER [ENCODING]
// NODE_FOLDER is where setup.sh installed acorn. The files are read as
// ENCODING, latin1 unless named: any byte reads as some character, so that
// a file in another encoding still parses. Exits 1 when an output no longer
// parses or means something else.
import { createRequire } from 'node:module';
import { readdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';

const [nodeFolder, inputFolder, outputFolder, encoding = 'latin1'] = process.argv.slice(2);
if (!outputFolder) {
    console.error('usage: node js_same_meaning.mjs NODE_FOLDER INPUT_FOLDER OUTPUT_FOLDER [ENCODING]');
    process.exit(2);
}
const acorn = createRequire(resolve(nodeFolder, 'package.json'))('acorn');

const baseOptions = { ecmaVersion: 'latest', allowHashBang: true };
const goals = [
    { sourceType: 'script', allowReturnOutsideFunction: true },
    { sourceType: 'module' },
];
const ignoredKeys = new Set(['start', 'end', 'loc', 'range', 'raw']);

// The first goal that parses the text, with its tree; null when none does.
function parseAnyGoal(text) {
    for (const goal of goals) {
        try {
            return { goal, tree: acorn.parse(text, { ...baseOptions, ...goal }) };
        } catch {
            // try the next goal
        }
    }
    return null;
}

function isStringLiteral(node) {
    return node?.type === 'Literal' && typeof node.value === 'string';
}

function joinedLiteral(left, right) {
    return { type: 'Literal', value: left.value + right.value, start: left.start };
}

// "a + 'b' + 'c'" is "(a + 'b') + 'c'", the same as "a + 'bc'": whatever a is,
// a + 'b' is a string. Children are brought to form first, so a chain is
// joined from its left end on.
function joinStringChain(node) {
    if (node.type !== 'BinaryExpression' || node.operator !== '+' || !isStringLiteral(node.right)) {
        return node;
    }
    if (isStringLiteral(node.left)) return joinedLiteral(node.left, node.right);
    const left = node.left;
    if (left.type === 'BinaryExpression' && left.operator === '+' && isStringLiteral(left.right)) {
        return { ...left, right: joinedLiteral(left.right, node.right) };
    }
    return node;
}

function normalForm(node) {
    if (Array.isArray(node)) {
        return node.filter((item) => item?.type !== 'EmptyStatement').map(normalForm);
    }
    if (typeof node !== 'object' || node === null || node instanceof RegExp) return node;
    const copy = {};
    for (const [key, value] of Object.entries(node)) copy[key] = normalForm(value);
    return joinStringChain(copy);
}

function literalValue(node) {
    if (node.regex) return `/${node.regex.pattern}/${node.regex.flags}`;
    if (node.bigint !== undefined) return `${node.bigint}n`;
    return node.value;
}

// The path to the first difference between two trees, or null.
function firstDifference(a, b, path) {
    if (a === b) return null;
    if (typeof a !== 'object' || typeof b !== 'object' || a === null || b === null) {
        return { path, a, b };
    }
    if (Array.isArray(a) !== Array.isArray(b)) return { path, a: 'array?', b: 'array?' };
    if (a.type === 'Literal' && b.type === 'Literal') {
        const [va, vb] = [literalValue(a), literalValue(b)];
        return Object.is(va, vb) ? null : { path, a: va, b: vb, at: a.start };
    }
    if (a.type === 'TemplateElement' && b.type === 'TemplateElement') {
        const [ca, cb] = [a.value.cooked, b.value.cooked];
        return ca === cb ? null : { path, a: ca, b: cb, at: a.start };
    }
    const keys = new Set([...Object.keys(a), ...Object.keys(b)].filter((k) => !ignoredKeys.has(k)));
    for (const key of keys) {
        const found = firstDifference(a[key], b[key], `${path}.${key}`);
        if (found) return { at: a.start, ...found };
    }
    return null;
}

function lineOf(text, offset) {
    return offset === undefined ? '?' : text.slice(0, offset).split('\n').length;
}

function snippet(text, offset) {
    const from = Math.max(0, offset - 40);
    return JSON.stringify(text.slice(from, offset + 40));
}

const counts = { same: 0, changed: 0, broken: 0, unparseable: 0 };
const changed = [];
const broken = [];
for (const name of readdirSync(inputFolder).sort()) {
    const input = readFileSync(join(inputFolder, name), encoding);
    const output = readFileSync(join(outputFolder, name), encoding);
    const original = parseAnyGoal(input);
    if (!original) {
        ++counts.unparseable;
        continue;
    }
    let tree;
    try {
        tree = acorn.parse(output, { ...baseOptions, ...original.goal });
    } catch (error) {
        ++counts.broken;
        broken.push(`${name}: ${error.message} near ${snippet(output, error.pos ?? 0)}`);
        continue;
    }
    const difference = firstDifference(normalForm(original.tree), normalForm(tree), 'Program');
    if (difference) {
        ++counts.changed;
        changed.push(`${name}: line ${lineOf(input, difference.at)} ${difference.path}: ` +
            `${JSON.stringify(difference.a)} became ${JSON.stringify(difference.b)}`);
    } else {
        ++counts.same;
    }
}

console.log(`same meaning: ${counts.same}`);
console.log(`changed meaning: ${counts.changed}`);
console.log(`broken (output no longer parses): ${counts.broken}`);
console.log(`input unparseable (skipped): ${counts.unparseable}`);
for (const line of changed) console.log(`changed ${line}`);
for (const line of broken) console.log(`broken ${line}`);
process.exit(counts.changed + counts.broken === 0 ? 0 : 1);
