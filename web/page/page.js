// SPDX-License-Identifier: MIT
// The page around the game (built into torvex.js ahead of the program).
//
// It sizes the picture, offers the maps (the shipped ones, fetched beside
// the page, and the player's own, read from a file), shows the game's
// notices over the picture, and tells the player what the game wants of
// them. The web backend (platform/web/web_library.js) reaches it through
// Module.torvexPage:
//   ready               a promise, settled once the map named in the page's
//                       address (?map=NAME) has been fetched
//   choice              the chosen map not yet taken: {name, bytes, shipped}
//   nextChoice()        a promise, settled when a choice waits
//   takeChoice()        the backend has it
//   showNotice(c, t)    a promise, settled when the player dismisses it
//   setStatus(s)        what the game is doing: choosing, ready (the
//                       pointer is the player's), playing, paused, ended,
//                       failed
//   toggleFullscreen()
(function () {
    'use strict';

    const game = document.getElementById('game');
    const canvas = document.getElementById('canvas');
    const hint = document.getElementById('hint');
    const notice = document.getElementById('notice');
    const noticeCaption = document.getElementById('notice-caption');
    const noticeText = document.getElementById('notice-text');
    const noticeOk = document.getElementById('notice-ok');
    const fullscreenButton = document.getElementById('fullscreen');
    const openMap = document.getElementById('open-map');
    const mapButtons = Array.from(document.querySelectorAll('#map-list .map'));

    const ScreenWidth = 640;
    const ScreenHeight = 480;

    // --- the picture -----------------------------------------------------------

    // Every game pixel the same whole number of page pixels, as large as the
    // game area allows; only a game area smaller than the picture shrinks it.
    function fitPicture() {
        const fit = Math.min(game.clientWidth / ScreenWidth, game.clientHeight / ScreenHeight);
        const scale = fit >= 1 ? Math.floor(fit) : Math.max(fit, 0.25);
        canvas.style.width = ScreenWidth * scale + 'px';
        canvas.style.height = ScreenHeight * scale + 'px';
    }
    window.addEventListener('resize', fitPicture);
    document.addEventListener('fullscreenchange', fitPicture);
    new ResizeObserver(fitPicture).observe(game);
    fitPicture();

    function toggleFullscreen() {
        if (document.fullscreenElement) {
            document.exitFullscreen().catch(() => {});
        } else if (game.requestFullscreen) {
            game.requestFullscreen({ navigationUI: 'hide' }).catch(() => {});
        }
    }
    fullscreenButton.addEventListener('click', () => {
        toggleFullscreen();
        canvas.focus({ preventScroll: true });
    });

    // --- what the game wants of the player -------------------------------------

    const hints = {
        loading: 'Loading the game…',
        choosing: 'Choose a map from the list, or open your own.',
        starting: 'Starting…',
        ready: 'Click the picture to play: the mouse then steers the field. Esc gives it back.',
        playing: '',
        paused: 'Paused. Click the picture to go on.',
        ended: '',
        failed: 'This browser cannot show the game.',
    };
    let status = 'loading';

    function setStatus(next) {
        status = next;
        const text = hints[next] || '';
        hint.textContent = text;
        hint.hidden = text === '' || !notice.hidden;
        game.classList.toggle('has-pointer', next === 'playing');
    }

    // --- notices ----------------------------------------------------------------

    let noticesShown = Promise.resolve();

    // One at a time, over the picture, until the player presses OK.
    function showNotice(caption, text) {
        noticesShown = noticesShown.then(
            () =>
                new Promise((resolve) => {
                    noticeCaption.textContent = caption;
                    noticeText.textContent = text;
                    notice.hidden = false;
                    hint.hidden = true;
                    noticeOk.focus({ preventScroll: true });
                    noticeOk.addEventListener(
                        'click',
                        () => {
                            notice.hidden = true;
                            setStatus(status);
                            resolve();
                        },
                        { once: true }
                    );
                })
        );
        return noticesShown;
    }

    // --- the map choice ---------------------------------------------------------

    let choiceWaiter = null;

    const page = {
        ready: null,
        choice: null,
        nextChoice() {
            if (page.choice) return Promise.resolve();
            return new Promise((resolve) => {
                choiceWaiter = resolve;
            });
        },
        takeChoice() {
            page.choice = null;
        },
        showNotice: showNotice,
        setStatus: setStatus,
        toggleFullscreen: toggleFullscreen,
    };

    function markCurrent(name) {
        for (const button of mapButtons) {
            button.setAttribute('aria-current', button.dataset.map === name ? 'true' : 'false');
        }
    }

    // A newer choice takes the place of one not yet taken.
    function offer(choice) {
        page.choice = choice;
        if (status === 'choosing') setStatus('starting');
        if (choiceWaiter) {
            const waiter = choiceWaiter;
            choiceWaiter = null;
            waiter();
        }
    }

    async function fetchShipped(name) {
        const response = await fetch('maps/' + encodeURIComponent(name) + '.tvm');
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return {
            name: name + '.tvm',
            bytes: new Uint8Array(await response.arrayBuffer()),
            shipped: true,
        };
    }

    function isShipped(name) {
        return mapButtons.some((button) => button.dataset.map === name);
    }

    async function chooseShipped(name) {
        markCurrent(name);
        try {
            offer(await fetchShipped(name));
        } catch (failure) {
            showNotice('Cannot Open !', 'maps/' + name + '.tvm\n' + failure.message);
            return;
        }
        // The address names the map, so a reload or a bookmark plays it again.
        history.replaceState(null, '', '?map=' + encodeURIComponent(name));
    }

    for (const button of mapButtons) {
        button.addEventListener('click', () => chooseShipped(button.dataset.map));
    }

    openMap.addEventListener('change', async () => {
        const file = openMap.files[0];
        openMap.value = '';
        if (!file) return;
        if (!/\.tvm/i.test(file.name)) {
            showNotice('Cannot Open !', file.name + '\nA map file\'s name ends in .tvm.');
            return;
        }
        let bytes;
        try {
            bytes = new Uint8Array(await file.arrayBuffer());
        } catch (failure) {
            showNotice('Cannot Open !', file.name + '\n' + failure.message);
            return;
        }
        markCurrent(null);
        history.replaceState(null, '', location.pathname);
        offer({ name: file.name, bytes: bytes, shipped: false });
    });

    page.ready = (async () => {
        const named = new URLSearchParams(location.search).get('map');
        if (named === null) return;
        if (!isShipped(named)) {
            history.replaceState(null, '', location.pathname);
            return;
        }
        markCurrent(named);
        try {
            offer(await fetchShipped(named));
        } catch (failure) {
            // The list is there to choose from instead.
        }
    })();

    // --- the program ---------------------------------------------------------------

    Module['canvas'] = canvas;
    Module['torvexPage'] = page;
    Module['print'] = (text) => console.log(text);
    Module['printErr'] = (text) => console.warn(text);

    // The time the passes of the main loop take on the page's main thread,
    // as the browser's own clock measures it: {drawing, all}, each with the
    // count, median, 95th percentile and slowest pass in milliseconds.
    // `restart` starts the figures afresh after this report.
    window.torvexPassTimes = (restart) =>
        JSON.parse(UTF8ToString(Module['_torvex_pass_times'](restart ? 1 : 0)));
})();
