// The notice under the window: the error which ended a recalculation and how the amount or the
// rate was read, each on a line of its own, or why a paste was refused. It is a live region:
// screen readers announce it whole when it changes; it never takes the focus.
export class ErrorNotice {
    constructor(element) {
        this.element_ = element;
        this.lines_ = [];
    }

    // Shows the lines (texts; an empty list hides the notice).
    show(...lines) {
        if (lines.length === this.lines_.length && lines.every((l, i) => l === this.lines_[i])) {
            return;  // unchanged: nothing to announce again
        }
        this.lines_ = lines;
        this.element_.replaceChildren(...lines.map((line) => {
            const span = document.createElement('span');
            span.textContent = line;
            return span;
        }));
    }

    hide() {
        this.show();
    }
}
