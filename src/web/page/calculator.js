// The calculation core, compiled to WebAssembly: the key rule, the recalculation and how it
// reads the amount and the rate, the error names and the field length limit. Nothing of them
// is written again in this script, which only carries texts into the module and back.

const kModuleFile = 'tolvi_calculator.wasm';
const kModes = { inclusive: 0, exclusive: 1 };  // anything else: neither
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

    // The code the key rule leaves of a typed character's code: the code itself, or 0, which
    // discards the keystroke.
    applyKeyRule(code) {
        return this.module_.tolvi_key_rule(code);
    }

    // The result texts the window starts with.
    initialResults() {
        return this.results_(this.texts_(this.module_.tolvi_initial_results(), 5));
    }

    // One recalculation. mode is 'inclusive', 'exclusive' or '' (neither); current holds the
    // result texts as they stand. Returns { results, error, amountReadAs, rateReadAs }: the
    // new result texts, the name of the error that ended the recalculation early or "", and
    // the number the calculation took from the amount and from the rate where it read only a
    // part of the text (1.2 of "1.2.3"), or "".
    recalculate(amount, rate, mode, current) {
        const texts = [amount, rate, ...kResultNames.map((name) => current[name])];
        const lengths = this.write_(texts);
        const answer = this.texts_(
            this.module_.tolvi_recalculate(kModes[mode] ?? 2, ...lengths), 8);
        return {
            results: this.results_(answer),
            error: answer[5],
            amountReadAs: answer[6],
            rateReadAs: answer[7],
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
