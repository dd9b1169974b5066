// Sets a label's or an output's text and, before the next frame is drawn, shrinks its font until
// the text fits its width, as the window's result labels do with long numbers. The
// measuring waits for the frame, so a keystroke's handler never waits for the page's layout.
const pending = new Set();

function fitPendingLabels() {
    const labels = Array.from(pending);
    pending.clear();
    for (const label of labels) {
        if (label.style.fontSize) {
            label.style.removeProperty('font-size');
        }
    }
    // All measured first, then all resized: one layout for all of them. The padding keeps its
    // size; the text shrinks into the room inside it.
    const sizes = labels.map((label) => {
        const style = getComputedStyle(label);
        const padding = parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
        const room = label.clientWidth - padding;
        const needed = label.scrollWidth - padding;
        if (needed <= room) {
            return null;
        }
        const size = parseFloat(style.fontSize);
        return `${Math.floor((size * room * 100) / needed) / 100}px`;
    });
    labels.forEach((label, i) => {
        if (sizes[i] !== null) {
            label.style.fontSize = sizes[i];
        }
    });
}

export function setCaptionShrinkingToFit(label, caption) {
    label.textContent = caption;
    if (pending.size === 0) {
        requestAnimationFrame(fitPendingLabels);
    }
    pending.add(label);
}
