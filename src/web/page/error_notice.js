// The notice under the window that names the error which ended a recalculation, or why a
// paste was refused. It is a live region: screen readers announce it; it never takes the focus.
export class ErrorNotice {
    constructor(element) {
        this.element_ = element;
    }

    show(message) {
        this.element_.textContent = message;
    }

    hide() {
        if (this.element_.textContent !== '') {
            this.element_.textContent = '';
        }
    }
}
