// The calculator's inputs in the page's address, as its fragment:
//   index.html#mode=exclusive&amount=1%2C050.00&rate=17.5
// The fragment, unlike a query, never reaches a server, its logs or a referrer, and the same
// index.html (cached by the service worker too) serves every link. The address follows the
// inputs as they are typed, without new history entries; it is written once the typing pauses,
// since browsers throttle pages that rewrite their address many times a second.

const kModes = new Set(['inclusive', 'exclusive']);
const kWriteAfterMs = 300;

// { mode, amount, rate, refusedMode } from an address's fragment, its names and the mode read
// in any case (#Mode=EXCLUSIVE); a missing one is undefined, and so is a mode that is neither,
// whose text is then refusedMode.
export function inputsFromAddress(hash) {
    const fields = {};
    for (const [name, value] of new URLSearchParams(hash.replace(/^#/, ''))) {
        fields[name.toLowerCase()] ??= value;
    }
    const mode = fields.mode?.toLowerCase();
    return {
        mode: kModes.has(mode) ? mode : undefined,
        amount: fields.amount,
        rate: fields.rate,
        refusedMode: mode === undefined || kModes.has(mode) ? undefined : fields.mode,
    };
}

// The page's address with the inputs in its fragment.
export function addressOf({ mode, amount, rate }) {
    const url = new URL(location.href);
    url.hash = new URLSearchParams({ mode, amount, rate }).toString();
    return url.href;
}

export class PageAddress {
    constructor() {
        this.timer_ = 0;
        this.pending_ = null;
        // Written before the page goes away, so that a reload or a bookmark keeps the inputs.
        addEventListener('pagehide', () => this.flush_());
    }

    // Sets the address to the inputs once the typing pauses.
    follow(inputs) {
        this.pending_ = inputs;
        clearTimeout(this.timer_);
        this.timer_ = setTimeout(() => this.flush_(), kWriteAfterMs);
    }

    flush_() {
        clearTimeout(this.timer_);
        if (this.pending_ !== null) {
            history.replaceState(history.state, '', addressOf(this.pending_));
            this.pending_ = null;
        }
    }
}
