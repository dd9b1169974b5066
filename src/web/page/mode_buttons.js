// The two mode buttons as the window's option group: exactly one is selected, selecting one
// clears the other, and each keeps its own place in the Tab order (a browser would give a
// group of radio buttons only one). The arrow keys move to the other button and select it.
// onClick(button) runs when a button becomes the selected one.
export function bindModeButtons(buttons, onClick) {
    const select = (button) => {
        for (const other of buttons) {
            if (other !== button) {
                other.checked = false;
            }
        }
        onClick(button);
    };
    buttons.forEach((button, index) => {
        button.addEventListener('change', () => {
            if (button.checked) {
                select(button);
            }
        });
        button.addEventListener('keydown', (event) => {
            const step = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 }[event.key];
            if (step === undefined || event.altKey || event.ctrlKey || event.metaKey) {
                return;
            }
            event.preventDefault();
            const next = buttons[(index + step + buttons.length) % buttons.length];
            next.focus();
            if (!next.checked) {
                next.checked = true;
                select(next);
            }
        });
    });
}
