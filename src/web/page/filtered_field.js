// A text box guarded on every way text reaches it.
//
// Typing: a key filter sees every character a key gives before the box does, and returns the
// character code to go on with: the same, another, or 0, which swallows the key. Backspace
// (8), Ctrl+Backspace (127), Enter (13), Escape (27) and Ctrl+letter (1 to 26; Cmd counts as
// Ctrl) count as characters; so does every typed printable character (its UTF-16 code) and,
// one by one, the characters an input method commits. The keypad's decimal key types a point,
// whatever the keyboard layout sends. The editing shortcuts (Ctrl or Cmd with A, C, V, X, Z or
// Y) are left to the browser, known by their letter or, on a layout without Latin letters, by
// the key's place on the keyboard. Keys that give no character (arrows, Home, End, Delete, Tab,
// Shift+Insert) never reach the filter.
//
// Pasting and dropping bypass the filter: the text goes to takeText, which refuses it whole
// with a notice (the box keeps its text and onRefused(notice) says why) or gives the text that
// enters. An input method's commit that would not fit is refused whole too. A typed character
// that would not fit is refused silently, as a full text box refuses a key. Where takeCommit is
// given, an input method's commit of more than one character goes to it, as a paste goes to
// takeText, instead of through the filter.

const kBackspace = 8;
const kEnter = 13;
const kEscape = 27;
const kDelete = 127;
const kShortcutLetters = new Set(['A', 'C', 'V', 'X', 'Y', 'Z']);

// The ways text reaches a box other than by typing.
const kPastedInputTypes = new Set([
    'insertFromPaste',
    'insertFromPasteAsQuotation',
    'insertFromDrop',
    'insertFromYank',
    'insertReplacementText',
]);

// The Latin letter a key with Ctrl or Cmd stands for: its own, or on a layout without Latin
// letters the one at its place on a US keyboard; null for other keys.
function letterOf(event) {
    if (/^[a-z]$/i.test(event.key)) {
        return event.key.toUpperCase();
    }
    return /^Key[A-Z]$/.test(event.code) && !/^[\x20-\x7e]$/.test(event.key)
        ? event.code.charAt(3) : null;
}

// The character code a key press gives, or null for a key that gives no control character.
// Printable characters arrive as the text they insert (see FilteredField).
export function characterCode(event) {
    const control = (event.ctrlKey || event.metaKey) && !event.altKey;
    switch (event.key) {
        case 'Backspace':
            return control ? kDelete : kBackspace;
        case 'Enter':
            return kEnter;
        case 'Escape':
            return kEscape;
        default:
            break;
    }
    if (!control) {
        return null;
    }
    const letter = letterOf(event);
    return letter === null ? null : letter.charCodeAt(0) - 'A'.charCodeAt(0) + 1;
}

function isEditingShortcut(event) {
    return (event.ctrlKey || event.metaKey) && !event.altKey
        && kShortcutLetters.has(letterOf(event));
}

// Writes text over the box's selection (or the given range) as typing would: through the
// browser's editing, so that Ctrl+Z undoes it, where the box has the focus (which raises no
// beforeinput: the filter does not see the text again); and tells the page it changed.
function insertText(box, text, start = box.selectionStart, end = box.selectionEnd) {
    if (text !== '' && document.activeElement === box) {
        box.setSelectionRange(start, end);
        if (document.execCommand('insertText', false, text)) {
            return;
        }
    }
    box.setRangeText(text, start, end, 'end');
    box.dispatchEvent(
        new InputEvent('input', { bubbles: true, inputType: 'insertText', data: text }));
}

export class FilteredField {
    // filter(code) returns the code to go on with: the same, another, or 0;
    // takeText(text, boxLength, replaced) returns { text, notice }: what enters in place of
    // `replaced` of the box's boxLength characters, or the notice that refuses it; takeCommit,
    // or null, does the same for an input method's commit; limits holds the core's
    // { maxLength, tooLongNotice }; onRefused(notice) runs after a refusal.
    constructor(box, { filter, takeText, takeCommit = null, limits, onRefused }) {
        this.box_ = box;
        this.filter_ = filter;
        this.takeText_ = takeText;
        this.takeCommit_ = takeCommit;
        this.limits_ = limits;
        this.onRefused_ = onRefused;
        this.beforeComposition_ = null;
        this.dropped_ = null;
        box.addEventListener('keydown', (event) => this.onKeyDown_(event));
        box.addEventListener('beforeinput', (event) => this.onBeforeInput_(event));
        box.addEventListener('input', (event) => this.onInput_(event));
        box.addEventListener('compositionstart', () => this.onCompositionStart_());
        box.addEventListener('compositionend', (event) => this.onCompositionEnd_(event));
    }

    // The characters of `text` that the filter lets through, each as it returned it.
    filtered_(text) {
        let accepted = '';
        for (let i = 0; i < text.length; ++i) {
            const code = this.filter_(text.charCodeAt(i));
            if (code !== 0) {
                accepted += String.fromCharCode(code);
            }
        }
        return accepted;
    }

    // What an input method's commit brings in place of `replaced` of the box's boxLength
    // characters: { text, notice }, the notice that refuses it or "".
    committed_(text, boxLength, replaced) {
        if (this.takeCommit_ !== null && text.length > 1) {
            return this.takeCommit_(text, boxLength, replaced);
        }
        return { text: this.filtered_(text), notice: '' };
    }

    // Whether `added` characters fit in place of the selection (or of `replaced` characters).
    // The selection is read only near the limit: reading it makes the browser lay the page out.
    fits_(added, replaced = null) {
        const box = this.box_;
        const room = this.limits_.maxLength - box.value.length - added;
        return room >= 0
            || room + (replaced ?? box.selectionEnd - box.selectionStart) >= 0;
    }

    // Types the characters the filter leaves of `text` over the selection: refused silently
    // when a single one does not fit, and with a notice when more do not.
    type_(text) {
        const accepted = this.filtered_(text);
        if (!this.fits_(accepted.length)) {
            if (text.length > 1) {
                this.onRefused_(this.limits_.tooLongNotice);
            }
        } else if (accepted !== '') {
            insertText(this.box_, accepted);
        }
    }

    onKeyDown_(event) {
        if (event.isComposing || this.beforeComposition_ !== null || isEditingShortcut(event)) {
            return;  // the input method's key, or the browser's shortcut
        }
        // The keypad's decimal key types what the layout says ("," or "٫" on some): a point.
        if (event.code === 'NumpadDecimal' && event.key.length === 1
            && !event.ctrlKey && !event.metaKey && !event.altKey) {
            event.preventDefault();
            this.type_('.');
            return;
        }
        const code = characterCode(event);
        if (code === null) {
            return;
        }
        const left = this.filter_(code);
        if (left === code) {
            return;  // the box does what the key does
        }
        event.preventDefault();
        if (left !== 0) {
            this.type_(String.fromCharCode(left));
        }
    }

    onBeforeInput_(event) {
        if (kPastedInputTypes.has(event.inputType)) {
            this.onPaste_(event);
            return;
        }
        if (event.inputType !== 'insertText' || event.data === null) {
            return;  // deleting, composing: no typed character
        }
        if (this.takeCommit_ !== null && event.data.length > 1) {
            event.preventDefault();
            const box = this.box_;
            const taken = this.committed_(
                event.data, box.value.length, box.selectionEnd - box.selectionStart);
            if (taken.notice !== '') {
                this.onRefused_(taken.notice);
            } else if (taken.text !== '') {
                insertText(box, taken.text);
            }
            return;
        }
        const accepted = this.filtered_(event.data);
        if (accepted === event.data && this.fits_(accepted.length)) {
            return;
        }
        event.preventDefault();
        this.type_(event.data);
    }

    onPaste_(event) {
        const text = event.data ?? event.dataTransfer?.getData('text/plain') ?? '';
        // A drop lands at the drop point; a drag within the box has already taken its text out.
        const box = this.box_;
        const drop = event.inputType === 'insertFromDrop';
        const replaced = drop ? 0 : box.selectionEnd - box.selectionStart;
        const taken = this.takeText_(text, box.value.length, replaced);
        if (taken.notice !== '') {
            event.preventDefault();
            this.onRefused_(taken.notice);
        } else if (taken.text !== text) {
            // Entered in another form ("1.234,56" as "1234.56"): a paste replaces the selection;
            // a drop lands where only the browser knows, and is rewritten once it has.
            if (drop) {
                this.dropped_ = { before: box.value, text: text.replace(/[\r\n]/g, ''),
                    taken: taken.text };
            } else {
                event.preventDefault();
                insertText(box, taken.text);
            }
        }
    }

    onInput_(event) {
        const dropped = this.dropped_;
        this.dropped_ = null;
        if (dropped === null || event.inputType !== 'insertFromDrop') {
            return;
        }
        const { before, text, taken } = dropped;
        const box = this.box_;
        for (let at = 0; at <= before.length; ++at) {
            if (box.value === before.slice(0, at) + text + before.slice(at)) {
                box.setRangeText(taken, at, at + text.length, 'end');
                return;
            }
        }
    }

    // While an input method composes, the box shows text that is not yet typed; the page
    // ignores the input events it raises (InputEvent.isComposing) until the text is committed.
    onCompositionStart_() {
        const box = this.box_;
        this.beforeComposition_ = {
            value: box.value,
            start: box.selectionStart,
            end: box.selectionEnd,
        };
    }

    onCompositionEnd_(event) {
        const before = this.beforeComposition_;
        this.beforeComposition_ = null;
        if (before === null) {
            return;
        }
        const box = this.box_;
        const replaced = before.end - before.start;
        const { text, notice } = this.committed_(event.data ?? '', before.value.length, replaced);
        if (text === '' && notice === '' && box.value === before.value) {
            return;  // nothing committed
        }
        box.value = before.value;
        if (notice !== '' || !this.fits_(text.length, replaced)) {
            box.setSelectionRange(before.start, before.end);
            this.onRefused_(notice || this.limits_.tooLongNotice);
            return;
        }
        insertText(box, text, before.start, before.end);
    }
}
