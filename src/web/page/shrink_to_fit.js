// Sets a label's or an output's text and, before the next frame is drawn, shrinks its font until
// the text fits its width, as the window's result labels do with long numbers. The
// measuring waits for the frame, so a keystroke's handler never waits for the page's layout,
// and it measures the text as it stands: no style is undone first, so the frame lays the page
// out once.
const pending = new Set();
const range = document.createRange();

// The font size that fits the label's text into its room ('' for its own size), or undefined
// when its text fits at its own size and it is not shrunk.
function fittingSize(label) {
    const shrunk = label.style.fontSize !== '';
    if (!shrunk && label.scrollWidth <= label.clientWidth) {
        return undefined;  // most texts fit: no style to look up
    }
    const style = getComputedStyle(label);
    const room = label.clientWidth - parseFloat(style.paddingLeft)
        - parseFloat(style.paddingRight);
    range.selectNodeContents(label);
    // The text's width at the label's own size: widths scale with the font size.
    const own = parseFloat(getComputedStyle(label.parentElement).fontSize);
    const width = (range.getBoundingClientRect().width * own) / parseFloat(style.fontSize);
    return width <= room ? '' : `${Math.floor((own * room * 100) / width) / 100}px`;
}

function fitPendingLabels() {
    const labels = Array.from(pending);
    pending.clear();
    // All measured first, then all resized: one layout for all of them.
    const sizes = labels.map(fittingSize);
    labels.forEach((label, i) => {
        if (sizes[i] !== undefined && label.style.fontSize !== sizes[i]) {
            label.style.fontSize = sizes[i];
        }
    });
}

export function setCaptionShrinkingToFit(label, caption) {
    // The text node's data, where there is one: cheaper than a new node.
    if (label.firstChild?.nodeType === Node.TEXT_NODE && label.childNodes.length === 1) {
        label.firstChild.data = caption;
    } else {
        label.textContent = caption;
    }
    if (pending.size === 0) {
        requestAnimationFrame(fitPendingLabels);
    }
    pending.add(label);
}
