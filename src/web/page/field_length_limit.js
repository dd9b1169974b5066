// Refuses, whole, a paste or a drop that would make a box's text longer than the core allows:
// the box keeps its text and the page says why. A cut number would be another number. A typed
// character that would not fit is refused too, silently, as a full text box refuses a key.

// The ways text reaches a box other than by typing.
const kPastedInputTypes = new Set([
    'insertFromPaste',
    'insertFromPasteAsQuotation',
    'insertFromDrop',
    'insertFromYank',
    'insertReplacementText',
]);

function insertedText(event) {
    if (event.data !== null) {
        return event.data;
    }
    return event.dataTransfer ? event.dataTransfer.getData('text/plain') : '';
}

// onRefused() runs after a refused paste or drop. Bind this before any other handler of the
// box's input, so that a refused text reaches none of them.
export function limitFieldLength(box, maxLength, onRefused) {
    box.addEventListener('beforeinput', (event) => {
        const typed = event.inputType === 'insertText';
        if (!typed && !kPastedInputTypes.has(event.inputType)) {
            return;
        }
        // A drop lands at the drop point; a drag within the box has already taken its text out.
        const replaced = event.inputType === 'insertFromDrop'
            ? 0 : box.selectionEnd - box.selectionStart;
        if (box.value.length - replaced + insertedText(event).length > maxLength) {
            event.preventDefault();
            event.stopImmediatePropagation();
            if (!typed) {
                onRefused();
            }
        }
    });
}
