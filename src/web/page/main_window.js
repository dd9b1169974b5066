// The main window of the online calculator: binds the controls' events to the calculation core
// and to the Help commands. Every change of the amount or the rate and every change of the mode
// recalculates all results; the page's address follows the inputs, and a link with inputs in
// its address opens with them calculated.
import { AboutDialog } from './about_dialog.js';
import { loadCalculator } from './calculator.js';
import { CalculationList } from './calculation_list.js';
import { bindCopyButton } from './copy_buttons.js';
import { ErrorNotice } from './error_notice.js';
import { FilteredField } from './filtered_field.js';
import { HelpMenu } from './help_menu.js';
import { watchForNewRelease } from './new_release.js';
import { PageAddress, addressOf, inputsFromAddress } from './page_address.js';
import { setCaptionShrinkingToFit } from './shrink_to_fit.js';

// The calculation core alone, for whoever wants the page's own digits without its window.
export { loadCalculator };

// How long the typing pauses before screen readers hear the results.
const kSummaryAfterMs = 1000;

function control(id) {
    return document.getElementById(id);
}

// The decimal and group separators of the browser's language, as it writes 1,234,567.5.
function regionalSeparators() {
    try {
        const parts = new Intl.NumberFormat(navigator.language).formatToParts(1234567.5);
        const part = (type) => parts.find((p) => p.type === type)?.value ?? '';
        return [part('decimal') || '.', part('group')];
    } catch {
        return ['.', ','];
    }
}

function setOutput(output, text) {
    if (output.textContent !== text) {
        setCaptionShrinkingToFit(output, text);
    }
}

class MainWindow {
    constructor(calculator) {
        this.calculator_ = calculator;
        for (const id of ['Text_amount', 'Text_vat', 'Option_vat_inc', 'Option_vat_exc',
            'Text_vat_round', 'Text_vat_result', 'Text_Price', 'Label_price', 'Text_total',
            'Command1', 'Copy_vat', 'Copy_price', 'Copy_total', 'Copy_link', 'Add_to_list']) {
            this[id] = control(id);
        }
        this.results_ = calculator.initialResults();
        // The notice's lines that name the numbers texts just taken in were taken for, when
        // they could mean two: the recalculation their entering raises shows them.
        this.readAs_ = [];
        this.error_ = '';
        this.noticeLines_ = [];
        this.knowsRegional_ = false;
        addEventListener('languagechange', () => {
            this.knowsRegional_ = false;
        });
        this.notice_ = new ErrorNotice(control('ErrorNotice'));
        this.summary_ = control('ResultsSummary');
        this.summaryTimer_ = 0;
        this.address_ = new PageAddress();
        this.helpMenu_ = new HelpMenu(control('Help'), this.Command1, {
            About: () => this.about_.show(),
        });
        this.about_ = new AboutDialog(control('frmAbout'));
        this.bindEvents_();
        this.openAddress_();
        // Typing waits for the core; until now the two input boxes were read-only.
        this.Text_amount.readOnly = false;
        this.Text_vat.readOnly = false;
        this.list_ = new CalculationList(calculator, {
            say: (text) => this.say_(text),
            notify: (...lines) => this.notice_.show(...this.noticeLines_, ...lines),
            whenEmpty: () => this.Add_to_list.focus(),
        });
        // The browser's number data for its language takes it a while to load the first time
        // (tens of milliseconds, more on a busy machine): looked up once the page is ready and
        // idle, or when text comes in before.
        (window.requestIdleCallback ?? setTimeout)(() => this.withRegional_());
    }

    // The calculator, told the separators of the browser's language.
    withRegional_() {
        if (!this.knowsRegional_) {
            this.knowsRegional_ = true;
            this.calculator_.setRegionalSeparators(...regionalSeparators());
        }
        return this.calculator_;
    }

    bindEvents_() {
        const calculator = this.calculator_;
        for (const box of [this.Text_amount, this.Text_vat]) {
            const { field, typingRule } = calculator.textBox(box.id);
            new FilteredField(box, {
                filter: (code) => (typingRule
                    ? this.withRegional_().applyTypingRule(code, field) : code),
                takeText: (text, boxLength, replaced) =>
                    this.takeText_(text, field, boxLength, replaced),
                takeCommit: typingRule ? (text, boxLength, replaced) =>
                    this.takeText_(text, field, boxLength, replaced, true) : null,
                limits: calculator.limits,
                onRefused: (notice) => this.notice_.show(notice),
            });
            box.addEventListener('input', (event) => {
                if (!event.isComposing) {
                    this.recalculate_();
                }
            });
            // Enter adds the calculation to the list (an input method's Enter only commits).
            box.addEventListener('keydown', (event) => {
                if (event.key === 'Enter' && !event.isComposing && !event.altKey
                    && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
                    this.addToList_();
                }
            });
            // A click into the box selects its text, so that typing replaces it ("20" in
            // place of the rate's "0", not "020"); a click in the focused box places the caret.
            let selectOnClick = false;
            box.addEventListener('pointerdown', () => {
                selectOnClick = document.activeElement !== box;
            });
            box.addEventListener('click', () => {
                if (selectOnClick) {
                    selectOnClick = false;
                    box.select();
                }
            });
        }
        for (const button of [this.Option_vat_inc, this.Option_vat_exc]) {
            button.addEventListener('change', () => this.recalculate_());
        }
        const copied = (what) => (done) => this.say_(`${what} ${done ? 'copied' : 'not copied'}`);
        bindCopyButton(this.Copy_vat, () => this.Text_vat_round.textContent, copied('VAT'));
        bindCopyButton(this.Copy_price, () => this.Text_Price.textContent, copied('Price'));
        bindCopyButton(this.Copy_total, () => this.Text_total.textContent, copied('Total'));
        bindCopyButton(this.Copy_link, () => addressOf(this.inputs_()), copied('Link'));
        this.Add_to_list.addEventListener('click', () => this.addToList_());
        // The menu opens with its top-left corner on the button's.
        this.Command1.addEventListener('click', () => this.helpMenu_.popUpAt(
            this.Command1.offsetLeft, this.Command1.offsetTop));
        addEventListener('hashchange', () => this.openAddress_());
    }

    inputs_() {
        return {
            mode: this.Option_vat_exc.checked ? 'exclusive' : 'inclusive',
            amount: this.Text_amount.value,
            rate: this.Text_vat.value,
        };
    }

    // Takes the inputs a link carries, each as a paste would be taken, and calculates when
    // there is an amount.
    openAddress_() {
        const { mode, amount, rate, refusedMode } = inputsFromAddress(location.hash);
        if (mode === undefined && amount === undefined && rate === undefined
            && refusedMode === undefined) {
            return;
        }
        const refused = [];
        if (refusedMode !== undefined) {
            refused.push("The link's mode was not taken: it is neither inclusive nor exclusive");
        }
        for (const [box, text, name] of [[this.Text_amount, amount, 'amount'],
            [this.Text_vat, rate, 'VAT %']]) {
            const taken = text === undefined ? null : this.takeText_(
                text, this.calculator_.textBox(box.id).field, 0, 0);
            if (taken?.refusal) {
                refused.push(`The link's ${name} was not taken: ${taken.refusal}`);
            } else if (taken) {
                box.value = taken.text;
            }
        }
        if (mode !== undefined) {
            this[mode === 'exclusive' ? 'Option_vat_exc' : 'Option_vat_inc'].checked = true;
        }
        if (this.Text_amount.value === '') {
            // Nothing to calculate: the results stand as when the page starts.
            this.showResults_(this.calculator_.initialResults());
            this.notice_.show(...this.readAs_.splice(0), ...refused);
        } else {
            this.notice_.show(...this.recalculate_(), ...refused);
        }
    }

    // A text from outside taken into the field's box, in place of `replaced` of its boxLength
    // characters (a link's value replaces all of them: 0, 0), or an input method's commit.
    takeText_(text, field, boxLength, replaced, committed = false) {
        const calculator = this.withRegional_();
        const taken = (committed ? calculator.takeCommittedText : calculator.takeText)
            .call(calculator, text, field, boxLength, replaced);
        if (taken.readAs !== '') {
            this.readAs_.push(taken.readAs);
        }
        return taken;
    }

    showResults_(results) {
        this.results_ = results;
        setOutput(this.Text_vat_result, results.unroundedVat);
        setOutput(this.Text_vat_round, results.roundedVat);
        setOutput(this.Text_total, results.total);
        setOutput(this.Text_Price, results.price);
        setOutput(this.Label_price, results.unformattedPrice);
    }

    // An error that ends the recalculation leaves the fields it had written with their new
    // texts and is named under the window, with why, until a later recalculation runs to its
    // end; a text the calculation read only in part is named there with what it read, and so
    // is the number a text just taken in was taken for. Returns the notice's lines.
    recalculate_() {
        const inputs = this.inputs_();
        const { results, error, notice } = this.calculator_.recalculate(
            inputs.amount, inputs.rate, inputs.mode, this.results_);
        const lines = [...notice, ...this.readAs_.splice(0)];
        this.showResults_(results);
        this.error_ = error;
        this.noticeLines_ = lines;
        this.notice_.show(...lines);
        this.address_.follow(inputs);
        // Screen readers hear the results once the typing pauses, not on every key.
        clearTimeout(this.summaryTimer_);
        if (!error) {
            this.summaryTimer_ = setTimeout(() => this.say_(
                `VAT ${results.roundedVat}, price ${results.price}, total ${results.total}`),
            kSummaryAfterMs);
        }
        return lines;
    }

    // Adds the calculation as it stands to the list, when it has an amount and ended without
    // an error; the notice says why when not. The boxes keep their texts, and the amount is
    // selected, so that the next amount is typed over it.
    addToList_() {
        const inputs = this.inputs_();
        if (inputs.amount === '') {
            this.notice_.show(...this.noticeLines_,
                'Nothing added to the list: there is no amount.');
        } else if (this.error_) {
            this.notice_.show(...this.noticeLines_,
                'Nothing added to the list: the calculation ended with an error.');
        } else {
            clearTimeout(this.summaryTimer_);  // the line's announcement says the results
            this.list_.add(inputs);
        }
        this.Text_amount.focus();
        this.Text_amount.select();
    }

    say_(text) {
        this.summary_.textContent = text;
    }
}

try {
    new MainWindow(await loadCalculator());
    watchForNewRelease(document.documentElement.dataset.release, control('ErrorNotice'))
        .catch(() => {});
} catch (error) {
    new ErrorNotice(control('ErrorNotice')).show(
        `The calculator could not be loaded (${error.message}).`);
}
