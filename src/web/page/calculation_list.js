// The list under the calculator: the calculations added to it, one line each with its mode,
// amount, rate, VAT, price and total and a Remove button, and their totals per mode and rate
// and for all lines, per line and on the total side by side. The calculation core groups and
// sums the lines (listTotals); this script only shows its texts. Adding a line appends its row
// and draws the totals again, never the other rows; removing one renumbers the rows after it;
// typing touches nothing here. The list is kept in this browser (KeptList); Copy list puts it on the clipboard as
// tab-separated rows, Download saves it as a CSV file; Clear list empties it and Undo brings
// it back.
import { bindCopyButton } from './copy_buttons.js';
import { KeptList } from './kept_list.js';

const kModeNames = { inclusive: 'Inclusive', exclusive: 'Exclusive' };
// The totals table's rows and columns: [name, key of its figures' stem].
const kTotalsRows = [['VAT', 'vat'], ['Price', 'price'], ['Total', 'total']];
const kTotalsColumns = [['Totals_per_line', 'PerLine'], ['Totals_on_total', 'OnTotal'],
    ['Totals_difference', 'Difference']];

function element(tag, text, attributes = {}) {
    const e = document.createElement(tag);
    if (text !== undefined) {
        e.textContent = text;
    }
    for (const [name, value] of Object.entries(attributes)) {
        e.setAttribute(name, value);
    }
    return e;
}

function count(n, one) {
    return `${n} ${one}${n === 1 ? '' : 's'}`;
}

// A difference is shown where it is not zero.
function differenceShown(text) {
    return /[1-9]/.test(text) ? text : '';
}

// Today's date where the browser is, as 2026-12-08.
function localDate() {
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
}

export class CalculationList {
    // say(text) tells screen readers; notify(...lines) shows the notice under the calculator;
    // whenEmpty() is where the focus goes when the last line's Remove button goes.
    constructor(calculator, { say, notify, whenEmpty }) {
        this.calculator_ = calculator;
        this.say_ = say;
        this.notify_ = notify;
        this.whenEmpty_ = whenEmpty;
        for (const id of ['List_empty', 'List_lines', 'List_rows', 'List_totals', 'Copy_list',
            'Download_list', 'Clear_list', 'Undo_clear']) {
            this[id] = document.getElementById(id);
        }
        this.lines_ = [];
        this.totals_ = null;
        this.cleared_ = null;  // the lines Undo brings back
        this.rowTemplate_ = null;
        this.kept_ = new KeptList(calculator.limits.maxLength);
        this.List_rows.addEventListener('click', (event) => {
            const row = event.target.closest('button')?.closest('tr');
            if (row) {
                this.remove_(row.sectionRowIndex);
            }
        });
        bindCopyButton(this.Copy_list, () => calculator.listTable(this.lines_, 'tsv'),
            (copied) => this.say_(`List ${copied ? 'copied' : 'not copied'}`));
        this.Download_list.addEventListener('click', () => this.download_());
        this.Clear_list.addEventListener('click', () => this.clear_());
        this.Undo_clear.addEventListener('click', () => this.undo_());
        this.kept_.watch((lines) => {
            this.show_(lines);
            this.cleared_ = null;
            this.Undo_clear.hidden = true;
        });
        const { lines, problem } = this.kept_.read();
        this.show_(lines);
        if (problem) {
            this.notify_(problem);
        }
    }

    // Adds a line: { mode, amount, rate } as the calculation took them.
    add(inputs) {
        const { mode, amount, rate } = inputs;
        this.lines_.push({ mode, amount, rate });
        this.changed_();
        const index = this.lines_.length - 1;
        this.List_rows.append(this.row_(index));
        const { vat, price, total } = this.totals_.lines[index];
        this.say_(`Line ${index + 1} added: VAT ${vat}, price ${price}, total ${total}. `
            + `${count(this.lines_.length, 'line')} in the list.`);
    }

    // Shows these lines in place of the list's, without keeping them.
    show_(lines) {
        this.lines_ = lines;
        this.drawTotals_();
        this.drawRows_();
    }

    drawRows_() {
        this.List_rows.replaceChildren(...this.lines_.map((line, i) => this.row_(i)));
    }

    // The row of the line at `index`, with its figures as the totals gave them: a copy of one
    // row made once, its texts set, which is quicker than making each of its cells.
    row_(index) {
        if (!this.rowTemplate_) {
            const template = element('tr');
            template.append(element('th', '', { scope: 'row' }),
                ...['Mode', 'Amount', 'VAT %', 'VAT', 'Price', 'Total'].map(
                    (name) => element('td', '', { 'data-name': name })),
                element('td'));
            template.lastChild.append(element('button', 'Remove', { type: 'button',
                class: 'push' }));
            template.lastChild.firstChild.append(element('span', '',
                { class: 'for-screen-readers' }));
            this.rowTemplate_ = template;
        }
        const line = this.lines_[index];
        const figures = this.totals_.lines[index];
        const row = this.rowTemplate_.cloneNode(true);
        const texts = [String(index + 1), kModeNames[line.mode], line.amount, line.rate,
            figures.error || figures.vat, figures.price, figures.total];
        texts.forEach((text, i) => {
            row.cells[i].textContent = text;
        });
        row.querySelector('span').textContent = ` line ${index + 1}`;
        return row;
    }

    remove_(index) {
        const [line] = this.lines_.splice(index, 1);
        const rows = this.List_rows.rows;
        rows[index].remove();
        // The lines after it move up a number.
        for (let i = index; i < rows.length; ++i) {
            rows[i].cells[0].textContent = String(i + 1);
            rows[i].querySelector('button span').textContent = ` line ${i + 1}`;
        }
        this.changed_();
        const next = rows[Math.min(index, rows.length - 1)];
        if (next) {
            next.querySelector('button').focus();
        } else {
            this.whenEmpty_();
        }
        this.say_(`Line ${index + 1} removed: ${line.amount} at ${line.rate} % VAT `
            + `${line.mode}. ${count(this.lines_.length, 'line')} in the list.`);
    }

    clear_() {
        this.cleared_ = this.lines_;
        this.lines_ = [];
        this.List_rows.replaceChildren();
        this.changed_(true);
        this.Undo_clear.hidden = false;
        this.Undo_clear.focus();
        this.say_(`List cleared: ${count(this.cleared_.length, 'line')}. Undo brings `
            + `${this.cleared_.length === 1 ? 'it' : 'them'} back.`);
    }

    undo_() {
        const lines = this.cleared_;
        this.lines_ = lines;
        this.changed_();
        this.drawRows_();
        this.Clear_list.focus();
        this.say_(`List back: ${count(lines.length, 'line')}.`);
    }

    // After the lines changed: the totals drawn again and the lines kept. A change other
    // than clearing ends what Undo could bring back.
    changed_(clearing = false) {
        if (!clearing) {
            this.cleared_ = null;
            this.Undo_clear.hidden = true;
        }
        this.drawTotals_();
        const problem = this.kept_.write(this.lines_);
        if (problem) {
            this.notify_(problem);
        }
    }

    drawTotals_() {
        const empty = this.lines_.length === 0;
        this.List_empty.hidden = !empty;
        this.List_lines.hidden = empty;
        this.List_totals.hidden = empty;
        for (const button of [this.Copy_list, this.Download_list, this.Clear_list]) {
            button.disabled = empty;
        }
        this.totals_ = empty ? null : this.calculator_.listTotals(this.lines_);
        for (const body of Array.from(this.List_totals.tBodies)) {
            body.remove();
        }
        if (!empty) {
            const { groups, all } = this.totals_;
            this.List_totals.append(...groups.map((group, i) => this.group_(group, `G${i}`)),
                this.group_(all, 'G_all'));
        }
    }

    // A group's rows in the totals table: its name, then its VAT, price and total per line, on
    // the total and their difference, each cell with the headers a screen reader reads with it.
    group_(group, id) {
        const body = element('tbody');
        const name = group === this.totals_.all ? 'All lines'
            : `${kModeNames[group.mode]} at ${group.rate} %`;
        body.append(element('tr'));
        const amount = group.amount ? `, amount ${group.amount}` : '';
        body.lastChild.append(element('th', `${name}: ${count(group.lines, 'line')}${amount}`,
            { id, colspan: 4, scope: 'colgroup' }));
        if (group.error) {
            body.append(element('tr'));
            body.lastChild.append(element('td', group.error, { colspan: 4, headers: id }));
            return body;
        }
        for (const [rowName, stem] of kTotalsRows) {
            const row = element('tr');
            const rowId = `${id}_${stem}`;
            row.append(element('th', rowName, { id: rowId, scope: 'row', headers: id }));
            for (const [columnId, suffix] of kTotalsColumns) {
                const text = group[stem + suffix];
                row.append(element('td', suffix === 'Difference' ? differenceShown(text) : text,
                    { headers: `${id} ${rowId} ${columnId}` }));
            }
            body.append(row);
        }
        return body;
    }

    download_() {
        const blob = new Blob([this.calculator_.listTable(this.lines_, 'csv')],
            { type: 'text/csv' });
        const link = element('a', undefined, { download: `tolvi-vat-list-${localDate()}.csv`,
            href: URL.createObjectURL(blob) });
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 0);
        this.say_('List downloaded');
    }
}
