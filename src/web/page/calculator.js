// The calculation core, compiled to WebAssembly: the typing rule, the rule for text from
// outside, both under the regional separators it is given, which box takes text as which
// field, the recalculation with its notice, the field length limit, and the totals of a list.
// Nothing of them is written again in this script, which only carries texts into the module and
// back.
//
// The list. A line is { mode: 'exclusive' | 'inclusive', amount: text as typed, rate: text as
// typed }. calculator.listTotals(lines) recalculates every line and totals them in one call:
//   { lines: [{ vat, price, total, error, plain: { vat, price, total } }],   one per line
//     groups: [row], all: row }
// A row is { mode, rate, lines, amount, vatPerLine, vatOnTotal, vatDifference, pricePerLine,
// priceOnTotal, priceDifference, totalPerLine, totalOnTotal, totalDifference, error, plain }.
// Groups are by mode and by the rate's value (19, 19.0 and +19 are one), exclusive first, each
// mode by rate; all.mode is 'all' and all.rate ''. lines is a number; amount and rate are
// written as the calculation writes a number ('3.3333'); the figures are in display form
// ('1,234.56'), and plain holds amount and the nine figures without grouping ('1234.56'), for
// CSV. "Per line" sums the lines' rounded figures; "on total" is one recalculation of the
// group's summed amount (for all, the sum of the groups'); a difference is on total less per
// line. error is '' or the name of the calculation's error that ended the row ('Overflow'):
// its figures are then ''. A line's error is that of its recalculation ('' for a line the
// totals count); a line with an error, or with another mode, is counted in no group and its
// figures are ''. A line's figures are those recalculate() gives for the same texts.
// calculator.listTable(lines, form) gives the lines and their totals as text: form 'tsv'
// (tab-separated, figures in display form) or 'csv' (RFC 4180, CRLF, figures ungrouped).

const kModuleFile = 'tolvi_calculator.wasm';
const kModes = { inclusive: 0, exclusive: 1 };  // anything else: neither
const kFields = { amount: 0, rate: 1 };
const kResultNames = ['unroundedVat', 'roundedVat', 'total', 'price', 'unformattedPrice'];
const kFigureNames = ['amount', 'vatPerLine', 'vatOnTotal', 'vatDifference', 'pricePerLine',
    'priceOnTotal', 'priceDifference', 'totalPerLine', 'totalOnTotal', 'totalDifference'];
// What separates the texts of a list in the module's memory; no text box holds them.
const kField = '\x1f';
const kRecord = '\x1e';

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The module's few needs of its host: it ends only on a fault of its own.
const kImports = {
    env: { emscripten_notify_memory_growth() {} },
    wasi_snapshot_preview1: {
        proc_exit(code) {
            throw new Error(`${kModuleFile} stopped (${code})`);
        },
    },
};

// Fetches and compiles the module file, whatever type the server gives it. (Compiled from the
// whole file, this small module is ready sooner than compiled as it streams in.)
async function instantiate() {
    const response = await fetch(new URL(kModuleFile, import.meta.url));
    if (!response.ok) {
        throw new Error(`${kModuleFile}: ${response.status} ${response.statusText}`);
    }
    const bytes = await response.arrayBuffer();
    return (await WebAssembly.instantiate(bytes, kImports)).instance;
}

// The calculation core over texts: the amount, the rate, the mode and the five result texts
// { unroundedVat, roundedVat, total, price, unformattedPrice }.
export class Calculator {
    constructor(instance) {
        this.module_ = instance.exports;
        this.module_._initialize();
        // What a text box may hold: { maxLength, tooLongNotice }.
        this.limits = {
            maxLength: this.module_.tolvi_max_field_length(),
            tooLongNotice: this.texts_(this.module_.tolvi_field_too_long_notice(), 1)[0],
        };
    }

    // The separators of the user's regional settings, e.g. ',' and '.' for German.
    setRegionalSeparators(decimal, group) {
        this.module_.tolvi_set_regional_separators(...this.write_([decimal, group]));
    }

    // How the box with this id takes text: { field, typingRule }, the field ('amount' or
    // 'rate') it takes a text as and whether typed characters pass that field's typing rule;
    // null for a box that takes no text.
    textBox(id) {
        const box = this.module_.tolvi_text_box(...this.write_([id]));
        return box < 0 ? null : { field: box % 2 ? 'rate' : 'amount', typingRule: box >= 2 };
    }

    // What a typed character's code becomes in the field ('amount' or 'rate'): the code
    // itself, another, or 0, which discards the keystroke.
    applyTypingRule(code, field) {
        return this.module_.tolvi_typing_rule(code, kFields[field]);
    }

    // A text from outside (a paste, a drop, a link) brought into the field's box, which holds
    // boxLength characters, `replaced` of them giving way: { refusal, text, notice, readAs },
    // why it is refused and the notice that says so (both "" when it is taken), what enters,
    // and the notice's line that names the number a text that reads as two was taken for.
    takeText(text, field, boxLength, replaced) {
        return this.taken_(this.module_.tolvi_take_text, text, field, boxLength, replaced);
    }

    // An input method's commit of more than one character, taken as takeText takes a text
    // from outside once its digits of other scripts are ASCII ones; what enters keeps only the
    // characters a key could type.
    takeCommittedText(text, field, boxLength, replaced) {
        return this.taken_(this.module_.tolvi_take_committed_text, text, field, boxLength,
            replaced);
    }

    taken_(take, text, field, boxLength, replaced) {
        const [length] = this.write_([text]);
        const [refusal, taken, notice, readAs] = this.texts_(
            take(kFields[field], length, boxLength, replaced), 4);
        return { refusal, text: taken, notice, readAs };
    }

    // The result texts the window starts with.
    initialResults() {
        return this.results_(this.texts_(this.module_.tolvi_initial_results(), 5));
    }

    // One recalculation. mode is 'inclusive', 'exclusive' or '' (neither); current holds the
    // result texts as they stand. Returns { results, error, notice }: the new result texts,
    // the name of the error that ended the recalculation early or "", and the notice's lines.
    recalculate(amount, rate, mode, current) {
        const texts = [amount, rate, ...kResultNames.map((name) => current[name])];
        const lengths = this.write_(texts);
        const answer = this.texts_(
            this.module_.tolvi_recalculate(kModes[mode] ?? 2, ...lengths), 7);
        return {
            results: this.results_(answer),
            error: answer[5],
            notice: answer[6].split('\n').slice(0, -1),
        };
    }

    // The lines' figures and their totals: see the top of this file.
    listTotals(lines) {
        const [length] = this.write_([listText(lines)]);
        const [answer] = this.texts_(this.module_.tolvi_list_totals(length), 1);
        const records = answer.split(kRecord).map((record) => record.split(kField));
        const [lineCount, groupCount] = records[0].map(Number);
        const lineFigures = records.slice(1, 1 + lineCount).map(
            ([vat, price, total, error, plainVat, plainPrice, plainTotal]) => ({
                vat, price, total, error,
                plain: { vat: plainVat, price: plainPrice, total: plainTotal },
            }));
        const rows = records.slice(1 + lineCount, 2 + lineCount + groupCount).map((fields) => {
            const row = { mode: fields[0], rate: fields[1], lines: Number(fields[2]) };
            kFigureNames.forEach((name, i) => { row[name] = fields[3 + i]; });
            row.error = fields[13];
            row.plain = Object.fromEntries(kFigureNames.map((name, i) => [name, fields[14 + i]]));
            return row;
        });
        return { lines: lineFigures, groups: rows.slice(0, -1), all: rows.at(-1) };
    }

    // The lines and their totals as 'tsv' or 'csv' text: see the top of this file.
    listTable(lines, form) {
        const [length] = this.write_([listText(lines)]);
        return this.texts_(this.module_.tolvi_list_table(length, form === 'csv' ? 1 : 0), 1)[0];
    }

    // Writes the texts one after the other into the module's room for them, as UTF-8; returns
    // the length of each in bytes.
    write_(texts) {
        const room = texts.reduce((sum, text) => sum + 3 * text.length, 0);
        const start = this.module_.tolvi_texts(room);
        const memory = new Uint8Array(this.module_.memory.buffer, start, room);
        let at = 0;
        return texts.map((text) => {
            const { written } = encoder.encodeInto(text, memory.subarray(at));
            at += written;
            return written;
        });
    }

    // `count` texts the module answered with, as (start, length) pairs at `pairs`.
    texts_(pairs, count) {
        const buffer = this.module_.memory.buffer;
        const where = new Int32Array(buffer, pairs, 2 * count);
        const texts = [];
        for (let i = 0; i < count; ++i) {
            texts.push(decoder.decode(new Uint8Array(buffer, where[2 * i], where[2 * i + 1])));
        }
        return texts;
    }

    results_(texts) {
        return Object.fromEntries(kResultNames.map((name, i) => [name, texts[i]]));
    }
}

// A list as the module reads it: each line's mode, amount and rate, each followed by kField,
// and kRecord after the line.
function listText(lines) {
    return lines.map(({ mode, amount, rate }) =>
        `${mode}${kField}${amount}${kField}${rate}${kRecord}`).join('');
}

// Loads the module; rejects when its file cannot be fetched or compiled.
export async function loadCalculator() {
    return new Calculator(await instantiate());
}
