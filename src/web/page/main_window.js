// The main window of the online calculator: binds the controls' events to the calculation core
// and to the Help commands. Every change of the amount or the rate and every change of the mode
// recalculates all results.
import { AboutDialog } from './about_dialog.js';
import { loadCalculator } from './calculator.js';
import { ErrorNotice } from './error_notice.js';
import { limitFieldLength } from './field_length_limit.js';
import { HelpMenu } from './help_menu.js';
import { FilteredField } from './filtered_field.js';
import { bindModeButtons } from './mode_buttons.js';
import { setCaptionShrinkingToFit } from './shrink_to_fit.js';

function control(id) {
    return document.getElementById(id);
}

function setBoxText(box, text) {
    if (box.value !== text) {
        box.value = text;
    }
}

function setCaption(label, text) {
    if (label.textContent !== text) {
        setCaptionShrinkingToFit(label, text);
    }
}

class MainWindow {
    constructor(calculator) {
        this.calculator_ = calculator;
        for (const id of ['Text_amount', 'Text_vat', 'Option_vat_inc', 'Option_vat_exc',
            'Text_vat_round', 'Text_vat_result', 'Text_Price', 'Label_price', 'Text_total',
            'Command1']) {
            this[id] = control(id);
        }
        this.notice_ = new ErrorNotice(control('ErrorNotice'));
        this.helpMenu_ = new HelpMenu(control('Help'), this.Command1, {
            About: () => this.about_.show(),
        });
        this.about_ = new AboutDialog(control('frmAbout'));
        this.bindEvents_();
        // Typing waits for the core; until now the two input boxes were read-only.
        this.Text_amount.readOnly = false;
        this.Text_vat.readOnly = false;
    }

    bindEvents_() {
        const recalculateOnChange = (box) => box.addEventListener('input', (event) => {
            if (!event.isComposing) {
                this.recalculate_();
            }
        });
        const refused = () => this.notice_.show(this.calculator_.fieldTooLongNotice);
        for (const box of [this.Text_amount, this.Text_vat, this.Text_vat_round, this.Text_Price]) {
            limitFieldLength(box, this.calculator_.maxFieldLength, refused);
        }
        recalculateOnChange(this.Text_amount);
        recalculateOnChange(this.Text_vat);
        for (const box of [this.Text_amount, this.Text_vat]) {
            new FilteredField(box, (code) => this.calculator_.applyKeyRule(code));
        }
        bindModeButtons([this.Option_vat_inc, this.Option_vat_exc], () => this.recalculate_());
        // The menu opens with its top-left corner on the button's.
        this.Command1.addEventListener('click', () => this.helpMenu_.popUpAt(
            this.Command1.offsetLeft, this.Command1.offsetTop));
    }

    mode_() {
        return this.Option_vat_inc.checked ? 'inclusive'
            : this.Option_vat_exc.checked ? 'exclusive' : '';
    }

    // The result texts as the controls hold them.
    results_() {
        return {
            unroundedVat: this.Text_vat_result.textContent,
            roundedVat: this.Text_vat_round.value,
            total: this.Text_total.value,
            price: this.Text_Price.value,
            unformattedPrice: this.Label_price.textContent,
        };
    }

    showResults_(results) {
        setCaption(this.Text_vat_result, results.unroundedVat);
        setBoxText(this.Text_vat_round, results.roundedVat);
        setBoxText(this.Text_total, results.total);
        setBoxText(this.Text_Price, results.price);
        setCaption(this.Label_price, results.unformattedPrice);
    }

    // An error that ends the recalculation leaves the fields it had written with their new
    // texts and is named under the window until a later recalculation runs to its end.
    recalculate_() {
        const { results, error } = this.calculator_.recalculate(
            this.Text_amount.value, this.Text_vat.value, this.mode_(), this.results_());
        this.showResults_(results);
        if (error) {
            this.notice_.show(error);
        } else {
            this.notice_.hide();
        }
    }
}

try {
    new MainWindow(await loadCalculator());
} catch (error) {
    const notice = new ErrorNotice(control('ErrorNotice'));
    notice.show(`The calculator could not be loaded (${error.message}).`);
}
