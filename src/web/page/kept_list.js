// The list kept in this browser's storage (localStorage), under a key of this page's own
// address, so that other pages of the same site neither see it nor overwrite it. Nothing of
// it leaves the device. Storage that is full, refused (the browser's settings, a private
// window) or holding what is not a list is said in a notice; the list then works for the visit.

const kModes = new Set(['inclusive', 'exclusive']);

// The notices; each says what becomes of the list.
const kStorageFull = "The list is not kept: this browser's storage is full. "
    + 'It stays for this visit.';
const kStorageRefused = 'The list is not kept: this browser refuses the page its '
    + 'storage. It stays for this visit.';
const kStorageUnreadable = 'The kept list could not be read: a new list starts.';

function storageProblem(error) {
    return error?.name === 'QuotaExceededError' ? kStorageFull : kStorageRefused;
}

// The lines a kept text holds, [[mode, amount, rate], ...], or null when it is not a list.
function linesOf(text, maxLength) {
    let kept;
    try {
        kept = JSON.parse(text);
    } catch {
        return null;
    }
    const line = (l) => Array.isArray(l) && l.length === 3 && kModes.has(l[0])
        && l.slice(1).every((t) => typeof t === 'string' && t.length <= maxLength);
    if (!Array.isArray(kept?.lines) || !kept.lines.every(line)) {
        return null;
    }
    return kept.lines.map(([mode, amount, rate]) => ({ mode, amount, rate }));
}

export class KeptList {
    // maxLength: the longest text a field holds.
    constructor(maxLength) {
        this.maxLength_ = maxLength;
        // index.html and its folder are one page.
        this.key_ = `tolvi-vat-list ${location.pathname.replace(/index\.html$/, '')}`;
    }

    // Calls onChange(lines) when another tab of this page changes the kept list.
    watch(onChange) {
        addEventListener('storage', (event) => {
            if (event.key === this.key_ || event.key === null) {
                onChange(linesOf(event.newValue ?? '{"lines":[]}', this.maxLength_) ?? []);
            }
        });
    }

    // { lines, problem }: the kept lines ([] when none), and the notice of a storage that
    // could not be read ("" when it could).
    read() {
        let text;
        try {
            text = localStorage.getItem(this.key_);
        } catch (error) {
            return { lines: [], problem: storageProblem(error) };
        }
        if (text === null) {
            return { lines: [], problem: '' };
        }
        const lines = linesOf(text, this.maxLength_);
        return lines ? { lines, problem: '' } : { lines: [], problem: kStorageUnreadable };
    }

    // Keeps the lines (an empty list is kept as none); returns the notice of a storage that
    // refused them, or "".
    write(lines) {
        try {
            if (lines.length === 0) {
                localStorage.removeItem(this.key_);
            } else {
                localStorage.setItem(this.key_, JSON.stringify(
                    { lines: lines.map((l) => [l.mode, l.amount, l.rate]) }));
            }
            return '';
        } catch (error) {
            return storageProblem(error);
        }
    }
}
