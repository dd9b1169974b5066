// The calculation core, compiled to WebAssembly: the key rule, the recalculation and how it
// reads the amount and the rate, the error names and the field length limit. Nothing of them
// is written again in this script.
import createCalculatorModule from './tolvi_calculator.js';

const kModuleFile = 'tolvi_calculator.wasm';

// Fetches and compiles the module file itself, so that the page works whatever type the web
// server gives the file.
function instantiate(imports) {
    return fetch(new URL(kModuleFile, import.meta.url))
        .then((response) => {
            if (!response.ok) {
                throw new Error(`${kModuleFile}: ${response.status} ${response.statusText}`);
            }
            return response.arrayBuffer();
        })
        .then((bytes) => WebAssembly.instantiate(bytes, imports));
}

// The calculation core over texts: the amount, the rate, the mode and the five result texts
// { unroundedVat, roundedVat, total, price, unformattedPrice }.
export class Calculator {
    constructor(module) {
        this.module_ = module;
        // What a text box may hold: { maxLength, tooLongNotice }.
        this.limits = {
            maxLength: module.maxFieldLength(),
            tooLongNotice: module.fieldTooLongNotice(),
        };
    }

    // The code the key rule leaves of a typed character's code: the code itself, or 0, which
    // discards the keystroke.
    applyKeyRule(code) {
        return this.module_.applyKeyRule(code);
    }

    // The result texts the window starts with.
    initialResults() {
        return this.module_.initialResults();
    }

    // One recalculation. mode is 'inclusive', 'exclusive' or '' (neither); current holds the
    // result texts as they stand. Returns { results, error, amountReadAs, rateReadAs }: the
    // new result texts, the name of the error that ended the recalculation early or "", and
    // the number the calculation took from the amount and from the rate where it read only a
    // part of the text (1.2 of "1.2.3"), or "".
    recalculate(amount, rate, mode, current) {
        const { VatMode } = this.module_;
        const vatMode = mode === 'inclusive' ? VatMode.Inclusive
            : mode === 'exclusive' ? VatMode.Exclusive : VatMode.Neither;
        return this.module_.recalculate(amount, rate, vatMode, current);
    }
}

// Loads the module; rejects when its file cannot be fetched or compiled.
export async function loadCalculator() {
    let fail;
    const failed = new Promise((resolve, reject) => {
        fail = reject;
    });
    const created = createCalculatorModule({
        instantiateWasm(imports, receiveInstance) {
            instantiate(imports).then(
                ({ instance, module }) => receiveInstance(instance, module), fail);
            return {};
        },
    });
    return new Calculator(await Promise.race([created, failed]));
}
