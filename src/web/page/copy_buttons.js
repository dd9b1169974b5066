// Copy buttons: a click puts a text on the clipboard, and the button says "Copied" for a while.

const kConfirmationMs = 2000;

// Writes text to the clipboard: through the Clipboard API where the page may use it (a secure
// context), else through a selected scratch text area, as a page served over plain HTTP must.
async function writeToClipboard(text) {
    if (navigator.clipboard?.writeText) {
        try {
            await navigator.clipboard.writeText(text);
            return;
        } catch {
            // refused: try the other way
        }
    }
    const scratch = document.createElement('textarea');
    scratch.value = text;
    scratch.setAttribute('readonly', '');
    scratch.className = 'for-screen-readers';
    const focused = document.activeElement;
    document.body.append(scratch);
    scratch.select();
    const copied = document.execCommand('copy');
    scratch.remove();
    focused?.focus();
    if (!copied) {
        throw new Error('the browser refused to copy');
    }
}

// text() gives what to copy; onDone(copied) runs after each click, copied true or false.
export function bindCopyButton(button, text, onDone) {
    const caption = button.firstChild;  // the visible text node; the rest is for screen readers
    const idle = caption.data;
    let timer = 0;
    button.addEventListener('click', async () => {
        let copied = true;
        try {
            await writeToClipboard(text());
        } catch {
            copied = false;
        }
        caption.data = copied ? 'Copied' : 'Not copied';
        button.classList.toggle('copied', copied);
        clearTimeout(timer);
        timer = setTimeout(() => {
            caption.data = idle;
            button.classList.remove('copied');
        }, kConfirmationMs);
        onDone(copied);
    });
}
