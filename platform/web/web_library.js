// SPDX-License-Identifier: MIT
// The web backend's JavaScript side: the canvas, WebAudio, local storage,
// and the calls into the page (web/page/page.js, which sets up
// Module.torvexPage before the program starts). The C++ side declares these
// functions in web_backend.h.
//
// The functions that wait (the page's readiness, a map choice, a notice)
// suspend the program through Asyncify and resume it when the page answers.

mergeInto(LibraryManager.library, {
    // --- the clock ---------------------------------------------------------------

    torvex_clock_now: function () {
        return performance.timeOrigin + performance.now();
    },

    // --- the canvas ---------------------------------------------------------------

    torvex_display_open: function () {
        const canvas = Module['canvas'];
        if (!canvas) return 0;
        canvas.width = 640;
        canvas.height = 480;
        const context = canvas.getContext('2d', { alpha: false });
        if (!context) return 0;
        Module.torvexCanvasContext = context;
        return 1;
    },

    torvex_display_draw: function (pixels) {
        // A view of the program's memory, not a copy: the canvas copies it.
        const data = new Uint8ClampedArray(HEAPU8.buffer, pixels, 640 * 480 * 4);
        Module.torvexCanvasContext.putImageData(new ImageData(data, 640, 480), 0, 0);
    },

    torvex_display_clear: function () {
        const context = Module.torvexCanvasContext;
        if (!context) return;
        context.fillStyle = '#000';
        context.fillRect(0, 0, 640, 480);
    },

    torvex_display_scale: function () {
        const canvas = Module['canvas'];
        const width = canvas ? canvas.getBoundingClientRect().width : 0;
        return width > 0 ? width / 640 : 1;
    },

    // --- the page ------------------------------------------------------------------

    torvex_page_set_status: function (status) {
        Module.torvexPage.setStatus(UTF8ToString(status));
    },

    torvex_page_wait_ready: function () {
        return Asyncify.handleAsync(async () => {
            await Module.torvexPage.ready;
            return 1;
        });
    },

    torvex_page_wait_for_choice: function () {
        return Asyncify.handleAsync(async () => {
            await Module.torvexPage.nextChoice();
            return 1;
        });
    },

    torvex_page_choice_waiting: function () {
        return Module.torvexPage.choice ? 1 : 0;
    },

    torvex_page_choice_name__deps: ['malloc'],
    torvex_page_choice_name: function () {
        const choice = Module.torvexPage.choice;
        const name = choice ? choice.name : '';
        const size = lengthBytesUTF8(name) + 1;
        const text = _malloc(size);
        if (text) stringToUTF8(name, text, size);
        return text;
    },

    torvex_page_choice_bytes__deps: ['malloc'],
    torvex_page_choice_bytes: function (sizeOut) {
        const choice = Module.torvexPage.choice;
        const bytes = choice ? choice.bytes : new Uint8Array(0);
        const copy = _malloc(Math.max(bytes.length, 1));
        if (!copy) {
            HEAP32[sizeOut >> 2] = 0;
            return 0;
        }
        HEAPU8.set(bytes, copy);
        HEAP32[sizeOut >> 2] = bytes.length;
        return copy;
    },

    torvex_page_choice_shipped: function () {
        const choice = Module.torvexPage.choice;
        return choice && choice.shipped ? 1 : 0;
    },

    torvex_page_choice_taken: function () {
        Module.torvexPage.takeChoice();
    },

    torvex_page_notice: function (caption, text) {
        const captionText = UTF8ToString(caption);
        const noticeText = UTF8ToString(text);
        return Asyncify.handleAsync(async () => {
            await Module.torvexPage.showNotice(captionText, noticeText);
            return 1;
        });
    },

    torvex_page_toggle_fullscreen: function () {
        Module.torvexPage.toggleFullscreen();
    },

    torvex_page_canvas_focused: function () {
        return document.activeElement === Module['canvas'] ? 1 : 0;
    },

    torvex_page_focus_canvas: function () {
        const canvas = Module['canvas'];
        if (canvas) canvas.focus({ preventScroll: true });
    },

    torvex_page_schedule_next_game: function () {
        setTimeout(() => Module['_torvex_start_game'](), 0);
    },

    // --- local storage -----------------------------------------------------------

    torvex_storage_read__deps: ['malloc'],
    torvex_storage_read: function (key) {
        let text = null;
        try {
            text = window.localStorage.getItem(UTF8ToString(key));
        } catch (refused) {
            return 0;
        }
        if (text === null) return 0;
        const size = lengthBytesUTF8(text) + 1;
        const copy = _malloc(size);
        if (copy) stringToUTF8(text, copy, size);
        return copy;
    },

    torvex_storage_write: function (key, text) {
        try {
            window.localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
        } catch (refused) {
            // Full, or refused in a private window: the game goes on.
        }
    },

    // --- WebAudio ------------------------------------------------------------------

    // One context for the page's whole life; every game's clips are its
    // buffers. The mix goes through the gain and the limiter curve the C++
    // side computes, the desktop mixer's own.
    torvex_audio_open: function (preferredRate, gain, limiter, points) {
        let audio = Module.torvexAudio;
        if (!audio) {
            const Context = window.AudioContext || window.webkitAudioContext;
            if (!Context) return 0;
            let context = null;
            for (const options of [
                { latencyHint: 'interactive', sampleRate: preferredRate },
                { latencyHint: 'interactive' },
            ]) {
                try {
                    context = new Context(options);
                    break;
                } catch (refused) {
                    // a browser that cannot run at that rate: its own rate
                }
            }
            if (!context) return 0;
            const input = context.createGain();
            input.gain.value = gain;
            const shaper = context.createWaveShaper();
            shaper.curve = HEAPF32.slice(limiter >> 2, (limiter >> 2) + points);
            input.connect(shaper);
            shaper.connect(context.destination);
            audio = { context: context, input: input, voices: [], started: 0 };
            Module.torvexAudio = audio;
            // Browsers start a page's sound only after the player acts on it.
            const start = () => {
                if (context.state !== 'running') context.resume();
            };
            for (const event of ['mousedown', 'keydown', 'touchstart']) {
                document.addEventListener(event, start, true);
            }
        }
        return audio.context.sampleRate;
    },

    torvex_audio_time: function () {
        return Module.torvexAudio.context.currentTime;
    },

    torvex_audio_add_clip: function (samples, count, rate) {
        const audio = Module.torvexAudio;
        let buffer;
        try {
            buffer = audio.context.createBuffer(1, count, rate);
        } catch (refused) {
            return -1;
        }
        buffer.getChannelData(0).set(HEAPF32.subarray(samples >> 2, (samples >> 2) + count));
        let voice = audio.voices.indexOf(null);
        if (voice < 0) {
            voice = audio.voices.length;
            audio.voices.push(null);
        }
        audio.voices[voice] = { buffer: buffer, node: null };
        return voice;
    },

    torvex_audio_act: function (voice, stop, start, offset, loop, speed) {
        const audio = Module.torvexAudio;
        const entry = audio.voices[voice];
        if (!entry) return;
        if ((stop || start) && entry.node) {
            entry.node.onended = null;
            try {
                entry.node.stop();
            } catch (notStarted) {
                // already over
            }
            entry.node.disconnect();
            entry.node = null;
        }
        if (start) {
            const node = audio.context.createBufferSource();
            node.buffer = entry.buffer;
            node.loop = !!loop;
            node.playbackRate.value = speed;
            node.connect(audio.input);
            node.onended = () => {
                if (entry.node === node) {
                    node.disconnect();
                    entry.node = null;
                }
            };
            node.start(0, offset);
            entry.node = node;
            ++audio.started;
        } else if (!stop && entry.node) {
            entry.node.loop = !!loop;
            entry.node.playbackRate.value = speed;
        }
    },

    torvex_audio_remove__deps: ['torvex_audio_act'],
    torvex_audio_remove: function (voice) {
        const audio = Module.torvexAudio;
        if (!audio.voices[voice]) return;
        _torvex_audio_act(voice, 1, 0, 0, 0, 1);
        audio.voices[voice] = null;
    },

    torvex_audio_close__deps: ['torvex_audio_remove'],
    torvex_audio_close: function () {
        const audio = Module.torvexAudio;
        if (!audio) return;
        for (let voice = 0; voice < audio.voices.length; ++voice) {
            if (audio.voices[voice]) _torvex_audio_remove(voice);
        }
    },
});
