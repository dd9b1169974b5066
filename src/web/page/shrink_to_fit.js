// Sets a label's caption and shrinks its font until the caption fits the label's width, as the
// window's result labels do with long numbers.
export function setCaptionShrinkingToFit(label, caption) {
    label.textContent = caption;
    label.style.removeProperty('font-size');
    const room = label.clientWidth;
    const needed = label.scrollWidth;
    if (needed > room) {
        const size = parseFloat(getComputedStyle(label).fontSize);
        label.style.fontSize = `${Math.floor((size * room * 100) / needed) / 100}px`;
    }
}
