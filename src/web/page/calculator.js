// The calculation core, compiled to WebAssembly: the key rule, the recalculation, the error
// names and the field length limit. Nothing of them is written again in this script.
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

// The calculator's field texts as the page's controls hold them:
// { amount, rate, inclusive, exclusive, vatCaption, roundedVat, total, price, unformattedPrice }.
export class Calculator {
    constructor(module) {
        this.module_ = module;
        this.maxFieldLength = module.maxFieldLength();
        this.fieldTooLongNotice = module.fieldTooLongNotice();
    }

    // The code the key rule leaves of a typed character's code: the code itself, or 0, which
    // discards the keystroke.
    applyKeyRule(keyAscii) {
        return this.module_.applyKeyRule(keyAscii);
    }

    // The texts the window starts with.
    initialTexts() {
        return this.fromFields_(this.module_.initialFields());
    }

    // Text_amount_Change over the texts as they stand. Returns { texts, error }: the texts when
    // the recalculation ended, and the name of the error that ended it early, or "".
    recalculate(texts) {
        const { VatMode } = this.module_;
        const mode = texts.inclusive ? VatMode.Inclusive
            : texts.exclusive ? VatMode.Exclusive : VatMode.Neither;
        const outcome = this.module_.recalculate({
            amount: texts.amount,
            rate: texts.rate,
            mode,
            vatCaption: texts.vatCaption,
            roundedVat: texts.roundedVat,
            total: texts.total,
            price: texts.price,
            unformattedPrice: texts.unformattedPrice,
        });
        return { texts: this.fromFields_(outcome.fields), error: outcome.error };
    }

    fromFields_(fields) {
        const { VatMode } = this.module_;
        return {
            amount: fields.amount,
            rate: fields.rate,
            inclusive: fields.mode === VatMode.Inclusive,
            exclusive: fields.mode === VatMode.Exclusive,
            vatCaption: fields.vatCaption,
            roundedVat: fields.roundedVat,
            total: fields.total,
            price: fields.price,
            unformattedPrice: fields.unformattedPrice,
        };
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
