// The main window of the online calculator: binds the controls' events to the calculation core
// and to the Help commands, handler by handler as the desktop window does. Every change of the
// amount or the rate and every change of the mode recalculates all results.
import { AboutDialog } from './about_dialog.js';
import { loadCalculator } from './calculator.js';
import { ErrorNotice } from './error_notice.js';
import { limitFieldLength } from './field_length_limit.js';
import { HelpMenu } from './help_menu.js';
import { KeyPressField } from './key_press_field.js';
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

class Form1 {
    constructor(calculator) {
        this.calculator_ = calculator;
        for (const id of ['Text_amount', 'Text_vat', 'Option_vat_inc', 'Option_vat_exc',
            'Text_vat_round', 'Text_vat_result', 'Text_Price', 'Label_price', 'Text_total',
            'Command1']) {
            this[id] = control(id);
        }
        this.notice_ = new ErrorNotice(control('ErrorNotice'));
        this.Help_ = new HelpMenu(control('Help'), this.Command1, {
            About: () => this.About_Click(),
        });
        this.about_ = new AboutDialog(control('frmAbout'));
        this.bindEvents_();
        // Typing waits for the core; until now the two input boxes were read-only.
        this.Text_amount.readOnly = false;
        this.Text_vat.readOnly = false;
    }

    bindEvents_() {
        const changeOf = (box, handler) => box.addEventListener('input', (event) => {
            if (!event.isComposing) {
                handler();
            }
        });
        const refused = () => this.notice_.show(this.calculator_.fieldTooLongNotice);
        for (const box of [this.Text_amount, this.Text_vat, this.Text_vat_round, this.Text_Price]) {
            limitFieldLength(box, this.calculator_.maxFieldLength, refused);
        }
        changeOf(this.Text_amount, () => this.Text_amount_Change());
        changeOf(this.Text_vat, () => this.Text_vat_Change());
        new KeyPressField(this.Text_amount, (keyAscii) => this.Text_amount_KeyPress(keyAscii));
        new KeyPressField(this.Text_vat, (keyAscii) => this.Text_vat_KeyPress(keyAscii));
        bindModeButtons([this.Option_vat_inc, this.Option_vat_exc], (button) => {
            if (button === this.Option_vat_inc) {
                this.Option_vat_inc_Click();
            } else {
                this.Option_vat_exc_Click();
            }
        });
        this.Command1.addEventListener('click', () => this.Command1_Click());
    }

    // The field texts as the controls hold them.
    texts_() {
        return {
            amount: this.Text_amount.value,
            rate: this.Text_vat.value,
            inclusive: this.Option_vat_inc.checked,
            exclusive: this.Option_vat_exc.checked,
            vatCaption: this.Text_vat_result.textContent,
            roundedVat: this.Text_vat_round.value,
            total: this.Text_total.value,
            price: this.Text_Price.value,
            unformattedPrice: this.Label_price.textContent,
        };
    }

    setTexts_(texts) {
        setCaption(this.Text_vat_result, texts.vatCaption);
        setBoxText(this.Text_vat_round, texts.roundedVat);
        setBoxText(this.Text_total, texts.total);
        setBoxText(this.Text_Price, texts.price);
        setCaption(this.Label_price, texts.unformattedPrice);
    }

    // An error that ends the recalculation leaves the fields it had written with their new
    // texts and is named under the window until a later recalculation runs to its end.
    Text_amount_Change() {
        const { texts, error } = this.calculator_.recalculate(this.texts_());
        this.setTexts_(texts);
        if (error) {
            this.notice_.show(error);
        } else {
            this.notice_.hide();
        }
    }

    Text_amount_KeyPress(keyAscii) {
        return this.calculator_.applyKeyRule(keyAscii);
    }

    Text_vat_Change() {
        this.Text_amount_Change();
    }

    Text_vat_KeyPress(keyAscii) {
        return this.calculator_.applyKeyRule(keyAscii);
    }

    Option_vat_inc_Click() {
        this.Text_amount_Change();
    }

    Option_vat_exc_Click() {
        this.Text_amount_Change();
    }

    // The menu opens with its top-left corner on the button's.
    Command1_Click() {
        this.Help_.popUpAt(this.Command1.offsetLeft, this.Command1.offsetTop);
    }

    About_Click() {
        this.about_.show();
    }
}

try {
    new Form1(await loadCalculator());
} catch (error) {
    const notice = new ErrorNotice(control('ErrorNotice'));
    notice.show(`The calculator could not be loaded (${error.message}).`);
}
