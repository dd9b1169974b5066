// A text box whose key filter sees every key that gives a character before the box does, and
// returns the character code to go on with: the same, another, or 0, which swallows the key. Backspace (8), Ctrl+Backspace (127),
// Enter (13), Escape (27) and Ctrl+letter (1 to 26) count as characters; so does every typed
// printable character (its UTF-16 code) and, one by one, the characters an input method
// commits. Keys that give no character (arrows, Home, End, Delete, Tab, Shift+Insert) never
// reach the filter. Pasting and dropping bypass it and still change the text.

const kBackspace = 8;
const kEnter = 13;
const kEscape = 27;
const kDelete = 127;

// The character code a key press gives, or null for a key that gives no control character.
// Printable characters arrive as the text they insert (see FilteredField).
export function characterCode(event) {
    const control = event.ctrlKey && !event.altKey && !event.metaKey;
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
    // The letter of the key as the layout names it, or as it stands on a US keyboard.
    const letter = /^[a-z]$/i.test(event.key) ? event.key.toUpperCase()
        : /^Key[A-Z]$/.test(event.code) ? event.code.charAt(3) : null;
    return letter === null ? null : letter.charCodeAt(0) - 'A'.charCodeAt(0) + 1;
}

// Writes text over the box's selection as typing would, and tells the page it changed.
function insertText(box, text, start = box.selectionStart, end = box.selectionEnd) {
    box.setRangeText(text, start, end, 'end');
    box.dispatchEvent(
        new InputEvent('input', { bubbles: true, inputType: 'insertText', data: text }));
}

export class FilteredField {
    // filter(code) returns the code to go on with: the same, another, or 0.
    constructor(box, filter) {
        this.box_ = box;
        this.filter_ = filter;
        this.beforeComposition_ = null;
        box.addEventListener('keydown', (event) => this.onKeyDown_(event));
        box.addEventListener('beforeinput', (event) => this.onBeforeInput_(event));
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

    onKeyDown_(event) {
        if (event.isComposing || this.beforeComposition_ !== null) {
            return;  // the input method has the key
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
            insertText(this.box_, String.fromCharCode(left));
        }
    }

    onBeforeInput_(event) {
        if (event.inputType !== 'insertText' || event.data === null) {
            return;  // deleting, pasting, dropping, composing: no typed character
        }
        const accepted = this.filtered_(event.data);
        if (accepted === event.data) {
            return;
        }
        event.preventDefault();
        if (accepted !== '') {
            insertText(this.box_, accepted);
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
        const accepted = this.filtered_(event.data ?? '');
        if (accepted === '' && box.value === before.value) {
            return;  // nothing committed
        }
        box.value = before.value;
        insertText(box, accepted, before.start, before.end);
    }
}
