// The About window: modal, with the application's title, version, web host and support
// address. OK is both its default button (Enter, wherever the focus is in the window) and its
// cancel button (Escape, which closes a modal dialog by itself); the title bar's close box
// closes it too. The browser returns the focus to where it was when it opened.
export class AboutDialog {
    constructor(dialog) {
        this.dialog_ = dialog;
        this.cmdOK_ = dialog.querySelector('#cmdOK');
        this.cmdOK_.addEventListener('click', () => this.close_());
        dialog.querySelector('#frmAbout_close').addEventListener('click', () => this.close_());
        dialog.addEventListener('keydown', (event) => {
            if (event.key === 'Enter' && event.target !== this.cmdOK_) {
                event.preventDefault();
                this.cmdOK_.click();
            }
        });
    }

    // Shows the window modally; the rest of the page takes no input until it closes.
    show() {
        this.dialog_.showModal();
        this.cmdOK_.focus();
    }

    close_() {
        if (this.dialog_.open) {
            this.dialog_.close();
        }
    }
}
