// Says why the calculator cannot start where its module scripts never run: the page opened
// from a file (browsers load no module from file: addresses), or a script missing on the
// server. A plain script, so that it runs where modules do not.
(function () {
    'use strict';

    function say(text) {
        var notice = document.getElementById('ErrorNotice');
        notice.textContent = text;
    }

    // The folder a file: address names, for a shell command.
    function folderOf(location) {
        var path = decodeURIComponent(location.pathname.replace(/[^/]*$/, ''));
        if (/^\/[A-Za-z]:\//.test(path)) {
            return '"' + path.slice(1).replace(/\//g, '\\') + '"';  // C:\...
        }
        return "'" + path.replace(/'/g, "'\\''") + "'";
    }

    if (location.protocol === 'file:') {
        say('This page must be served by a web server: opened as a file, the browser does not '
            + 'run its calculator. Serve its folder with: python3 -m http.server --directory '
            + folderOf(location) + ' 8000 and open http://localhost:8000/');
        return;
    }
    addEventListener('error', function (event) {
        var script = event.target;
        if (script instanceof HTMLScriptElement && script.type === 'module') {
            say('The calculator could not be loaded (' + script.src.replace(/^.*\//, '')
                + ' or a file it imports could not be fetched).');
        }
    }, true);
}());
