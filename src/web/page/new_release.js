// Keeps the page's release for visits without a network, and finds another release on the
// server without holding the page up: once the page is ready, it asks the server which release
// its page is, and registers that release's worker (sw.js), which keeps the release's files
// whole before it takes over; then the notice says so, and loading the page shows the new
// release whole. A worker is asked for under the name of its release, so that the browser
// fetches it whatever the server says about dates (a rebuild, a rollback).

const kPageName = 'index.html';

function registerRelease(release) {
    return navigator.serviceWorker.register(`sw.js?release=${encodeURIComponent(release)}`,
        { updateViaCache: 'none' });
}

// Shows "A new version is ready" after `place`, with a button that loads it.
function sayNewVersionIsReady(place) {
    const notice = document.createElement('p');
    notice.id = 'NewVersionNotice';
    notice.setAttribute('role', 'status');
    const load = document.createElement('button');
    load.type = 'button';
    load.className = 'control push';
    load.textContent = 'Load it';
    load.addEventListener('click', () => location.reload());
    document.getElementById('NewVersionNotice')?.remove();
    place.after(notice);
    // Filled once in place, so that screen readers announce it.
    notice.append('A new version is ready', load);
}

export async function watchForNewRelease(release, place) {
    const workers = navigator.serviceWorker;
    if (!workers) {
        return;
    }
    // On a page that a worker shows, another worker taking over is another release, kept whole.
    if (workers.controller) {
        workers.addEventListener('controllerchange', () => sayNewVersionIsReady(place));
    }
    await registerRelease(release);
    const response = await fetch(kPageName, { cache: 'no-store' });
    const served = /data-release="([^"]+)"/.exec(await response.text())?.[1];
    if (response.ok && served && served !== release) {
        await registerRelease(served);
    }
}
