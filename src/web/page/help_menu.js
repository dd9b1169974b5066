// The Help button's pop-up menu. It opens with its top-left corner at a given point of the
// window, takes the focus, and closes when an item is chosen, on Escape or Tab, or when the
// focus or a click goes elsewhere; the focus then returns to where it was. Dismissing it runs
// no command.
export class HelpMenu {
    // commands: item id -> function run when the item is chosen; an item without one (a
    // link) does what it does by itself.
    constructor(menu, button, commands) {
        this.menu_ = menu;
        this.button_ = button;
        this.commands_ = commands;
        this.items_ = Array.from(menu.querySelectorAll('[role="menuitem"]'));
        this.returnFocusTo_ = null;
        this.onPointerDown_ = (event) => {
            if (!this.menu_.contains(event.target)) {
                this.close_();
            }
        };
        menu.addEventListener('keydown', (event) => this.onKeyDown_(event));
        menu.addEventListener('click', (event) => this.onClick_(event));
        menu.addEventListener('focusout', (event) => {
            if (this.isOpen() && !this.menu_.contains(event.relatedTarget)) {
                this.close_(false);
            }
        });
    }

    isOpen() {
        return !this.menu_.hidden;
    }

    // Pops the menu up with its top-left corner at (left, top), in CSS pixels of the window.
    popUpAt(left, top) {
        if (this.isOpen()) {
            this.close_();
            return;
        }
        this.returnFocusTo_ = document.activeElement;
        const menu = this.menu_;
        menu.style.left = `${left}px`;
        menu.style.top = `${top}px`;
        menu.hidden = false;
        // Kept on the screen, as a desktop keeps a menu on its screen.
        const overflow = menu.getBoundingClientRect().right - document.documentElement.clientWidth;
        if (overflow > 0) {
            menu.style.left = `${Math.max(0, left - overflow)}px`;
        }
        this.button_.setAttribute('aria-expanded', 'true');
        document.addEventListener('pointerdown', this.onPointerDown_, true);
        this.items_[0].focus();
    }

    close_(returnFocus = true) {
        if (!this.isOpen()) {
            return;
        }
        this.menu_.hidden = true;
        this.button_.setAttribute('aria-expanded', 'false');
        document.removeEventListener('pointerdown', this.onPointerDown_, true);
        const target = this.returnFocusTo_;
        this.returnFocusTo_ = null;
        if (returnFocus && target && target.isConnected) {
            target.focus();
        }
    }

    onKeyDown_(event) {
        const index = this.items_.indexOf(document.activeElement);
        const last = this.items_.length - 1;
        const moveTo = {
            ArrowDown: index >= last ? 0 : index + 1,
            ArrowUp: index <= 0 ? last : index - 1,
            Home: 0,
            End: last,
        }[event.key];
        if (moveTo !== undefined) {
            event.preventDefault();
            this.items_[moveTo].focus();
        } else if (event.key === 'Escape' || event.key === 'Tab') {
            event.preventDefault();
            this.close_();
        } else if ((event.key === 'Enter' || event.key === ' ') && index >= 0) {
            event.preventDefault();
            this.items_[index].click();
        }
    }

    onClick_(event) {
        const item = event.target.closest('[role="menuitem"]');
        if (item === null) {
            return;
        }
        this.close_();
        const command = this.commands_[item.id];
        if (command) {
            event.preventDefault();
            command();
        }
    }
}
