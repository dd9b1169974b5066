// The calculation core, compiled to WebAssembly: the typing rule, the rule for text from
// outside, both under the regional separators it is given, which box takes text as which
// field, the recalculation with its notice, and the field length limit. Nothing of them is written again in this script, which only
// carries texts into the module and back.

const kModuleFile = 'tolvi_calculator.wasm';
const kModes = { inclusive: 0, exclusive: 1 };  // anything else: neither
const kFields = { amount: 0, rate: 1 };
const kResultNames = ['unroundedVat', 'roundedVat', 'total', 'price', 'unformattedPrice'];

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
        const [length] = this.write_([text]);
        const [refusal, taken, notice, readAs] = this.texts_(
            this.module_.tolvi_take_text(kFields[field], length, boxLength, replaced), 4);
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

// Loads the module; rejects when its file cannot be fetched or compiled.
export async function loadCalculator() {
    return new Calculator(await instantiate());
}
