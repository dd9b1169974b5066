// Sets a label's caption and, before the next frame is drawn, shrinks its font until the
// caption fits the label's width, as the window's result labels do with long numbers. The
// measuring waits for the frame, so a keystroke's handler never waits for the page's layout.
const pending = new Set();

function fitPendingLabels() {
    const labels = Array.from(pending);
    pending.clear();
    for (const label of labels) {
        label.style.removeProperty('font-size');
    }
    // All measured first, then all resized: one layout for all of them.
    const sizes = labels.map((label) => {
        const room = label.clientWidth;
        const needed = label.scrollWidth;
        if (needed <= room) {
            return null;
        }
        const size = parseFloat(getComputedStyle(label).fontSize);
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
