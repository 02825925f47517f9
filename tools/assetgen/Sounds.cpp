#include "Sounds.h"

#include "AssetList.h"
#include "Canvas.h"
#include "Loudness.h"

#include <fluidsynth.h>
#include <lame/lame.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace Sounds {

namespace {

constexpr int kRate = AssetList::kMixRate;
constexpr int kDrums = 9;
constexpr double kIntroSeconds = 19.0;
// The music's loudness in LUFS and its peak ceiling, with room for the effects on top.
constexpr double kMusicLufs = -20.0;
constexpr double kMusicCeiling = 0.5;

// Interleaved stereo samples in -1..1.
using Stereo = std::vector<float>;

struct Note {
    double beat, len;
    int chan, key, vel;
};

struct Song {
    double bpm = 120;
    double beats = 0; // length of one pass
    std::array<int, 16> program{};
    std::array<int, 16> volume{};
    std::array<int, 16> pan{};
    std::vector<Note> notes;

    Song() {
        program.fill(-1);
        volume.fill(100);
        pan.fill(64);
    }
    void Add(double beat, double len, int chan, int key, int vel) {
        notes.push_back({beat, len, chan, key, vel});
    }
    void Voice(int chan, int prog, int vol, int panning) {
        program[chan] = prog;
        volume[chan] = vol;
        pan[chan] = panning;
    }
    long Sample(double beat) const { return std::lround(beat * 60.0 / bpm * kRate); }
};

struct Event {
    long at;
    bool on;
    int chan, key, vel;
};

void Write(fluid_synth_t* synth, long frames, Stereo& out) {
    std::vector<float> left(4096), right(4096);
    while (frames > 0) {
        const int n = int(std::min<long>(frames, 4096));
        fluid_synth_write_float(synth, n, left.data(), 0, 1, right.data(), 0, 1);
        for (int i = 0; i < n; ++i) {
            out.push_back(left[i]);
            out.push_back(right[i]);
        }
        frames -= n;
    }
}

// Plays the song `passes` times back to back and lets it ring for `tail` seconds.
Stereo Render(const Song& song, int passes, double tail, const std::string& soundFont) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_synth_t* synth = new_fluid_synth(settings);
    Stereo out;
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        std::fprintf(stderr, "assetgen: cannot load the sound font %s\n", soundFont.c_str());
    } else {
        for (int c = 0; c < 16; ++c) {
            if (song.program[c] >= 0 && c != kDrums)
                fluid_synth_program_change(synth, c, song.program[c]);
            fluid_synth_cc(synth, c, 7, song.volume[c]);
            fluid_synth_cc(synth, c, 10, song.pan[c]);
            fluid_synth_cc(synth, c, 91, 45);
        }
        std::vector<Event> events;
        for (int p = 0; p < passes; ++p)
            for (const Note& n : song.notes) {
                const double start = p * song.beats + n.beat;
                events.push_back({song.Sample(start), true, n.chan, n.key, n.vel});
                events.push_back({song.Sample(start + n.len), false, n.chan, n.key, 0});
            }
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.at != b.at ? a.at < b.at : (!a.on && b.on);
        });
        long now = 0;
        for (const Event& e : events) {
            Write(synth, e.at - now, out);
            now = e.at;
            if (e.on) {
                fluid_synth_noteon(synth, e.chan, e.key, e.vel);
            } else {
                fluid_synth_noteoff(synth, e.chan, e.key);
            }
        }
        const long end = song.Sample(passes * song.beats) + long(tail * kRate);
        Write(synth, end - now, out);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

// A seamless loop: the second of two passes, which already carries the ringing-out of the
// first one at its start, exactly as it sounds when the loop wraps around.
// The synthesiser's chorus and reverb never repeat exactly, so the pass's last
// 50 ms fade into what led into its start: the end runs on into the start.
Stereo Loop(const Song& song, const std::string& soundFont) {
    const Stereo two = Render(song, 2, 0, soundFont);
    const long from = 2 * song.Sample(song.beats), to = 2 * song.Sample(2 * song.beats);
    if (long(two.size()) < to) return {};
    Stereo loop(two.begin() + from, two.begin() + to);
    const long fade = std::min<long>(2 * (kRate / 20), std::min(from, to - from));
    for (long k = 0; k < fade; ++k) {
        const double into = double(k / 2 + 1) / double(fade / 2);
        float& v = loop[size_t(to - from - fade + k)];
        v = float((1 - into) * v + into * two[size_t(from - fade + k)]);
    }
    return loop;
}

float Peak(const Stereo& s) {
    float top = 0;
    for (float v : s)
        top = std::max(top, std::fabs(v));
    return top;
}

void Gain(Stereo& s, double gain) {
    for (float& v : s)
        v = float(v * gain);
}

// Holds every peak under `ceiling`: the gain each frame needs, its minimum over a 2 ms look-ahead,
// smoothed over the same span (so it is down in time) and released over about 60 ms.
void Limit(Stereo& s, double ceiling) {
    const size_t frames = s.size() / 2, ahead = size_t(kRate / 500);
    std::vector<double> need(frames + ahead, 1.0), low(frames, 1.0);
    for (size_t i = 0; i < frames; ++i) {
        const double top = std::max(std::fabs(s[2 * i]), std::fabs(s[2 * i + 1]));
        need[i] = top > ceiling ? ceiling / top : 1.0;
    }
    for (size_t i = 0; i < frames; ++i)
        low[i] = *std::min_element(need.begin() + long(i), need.begin() + long(i + ahead));
    const double release = 1 - std::exp(-1.0 / (0.06 * kRate));
    double sum = double(ahead), gain = 1;
    std::vector<double> window(ahead, 1.0);
    for (size_t i = 0; i < frames; ++i) {
        sum += low[i] - window[i % ahead];
        window[i % ahead] = low[i];
        const double smooth = std::min(sum / double(ahead), low[i]);
        gain = std::min(smooth, gain + (1 - gain) * release);
        s[2 * i] = float(s[2 * i] * gain);
        s[2 * i + 1] = float(s[2 * i + 1] * gain);
    }
}

// Brings a sound to the loudness `lufs` and holds its peaks under `ceiling`.
void Master(Stereo& s, double lufs, double ceiling) {
    if (Peak(s) <= 0) return;
    Gain(s, std::pow(10, (lufs - Loudness::Lufs(s, kRate)) / 20));
    Limit(s, ceiling);
}

void Normalise(Stereo& s, float peak) {
    const float top = Peak(s);
    if (top > 0) Gain(s, peak / top);
}

// Linear fade over the first `in` and the last `out` seconds.
void Fade(Stereo& s, double in, double out) {
    const long frames = long(s.size() / 2), fin = long(in * kRate), fout = long(out * kRate);
    for (long i = 0; i < frames; ++i) {
        double g = 1;
        if (i < fin) g = double(i) / fin;
        if (i >= frames - fout) g = std::min(g, double(frames - 1 - i) / fout);
        s[2 * i] = float(s[2 * i] * g);
        s[2 * i + 1] = float(s[2 * i + 1] * g);
    }
}

// A looped piece is encoded with the loop's own end before it and its start
// after it, so that the encoder's first and last frames hold music, not the
// edge of silence; the info frame then tells the decoder to skip those
// samples too. Decoded, the loop's last sample runs into its first.
constexpr size_t kLoopContext = 2048;

// The info frame's encoder delay and padding (12 bits each) grow by the
// context, and its checksum follows. Layout of LAME's tag: "Info" or "Xing",
// four flag bytes, frames, bytes, the seek table and the quality (all
// present), then the LAME extension with the delay and padding 21 bytes in
// and the tag's CRC-16 over everything before it at 34.
bool Widen(std::vector<unsigned char>& tag, size_t tagBytes, size_t more) {
    unsigned char* end = tag.data() + tagBytes;
    unsigned char* found = end;
    for (const char* id : {"Info", "Xing"})
        found = found != end
                    ? found
                    : std::search(tag.data(), end, reinterpret_cast<const unsigned char*>(id),
                                  reinterpret_cast<const unsigned char*>(id) + 4);
    const size_t at = size_t(found - tag.data()) + 8 + 4 + 4 + 100 + 4 + 21;
    if (found == end || at + 15 > tagBytes) return false;
    unsigned char* d = tag.data() + at;
    const size_t delay = (size_t(d[0]) << 4 | d[1] >> 4) + more;
    const size_t padding = (size_t(d[1] & 15) << 8 | d[2]) + more;
    if (delay > 4095 || padding > 4095) return false;
    d[0] = static_cast<unsigned char>(delay >> 4);
    d[1] = static_cast<unsigned char>((delay & 15) << 4 | padding >> 8);
    d[2] = static_cast<unsigned char>(padding & 255);
    unsigned crc = 0; // CRC-16/ARC, as LAME writes it
    for (const unsigned char* b = tag.data(); b < d + 13; ++b) {
        crc ^= *b;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    d[13] = static_cast<unsigned char>(crc >> 8);
    d[14] = static_cast<unsigned char>(crc & 255);
    return true;
}

bool WriteMp3(const Stereo& s, const std::string& file, int kbps, bool looped = false) {
    const size_t context = looped ? std::min(kLoopContext, s.size() / 2) : 0;
    std::vector<short> pcm;
    pcm.reserve(s.size() + 4 * context);
    const auto put = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            pcm.push_back(short(std::lround(std::clamp(s[i], -1.0f, 1.0f) * 32767.0f)));
    };
    put(s.size() - 2 * context, s.size());
    put(0, s.size());
    put(0, 2 * context);
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, kRate);
    lame_set_out_samplerate(lame, kRate);
    lame_set_num_channels(lame, 2);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, 2);
    lame_set_bWriteVbrTag(lame, 1); // the info frame tells decoders the exact length
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }
    const int frames = int(pcm.size() / 2);
    std::vector<unsigned char> mp3(size_t(1.25 * frames + 7200) + 16384);
    int bytes =
        lame_encode_buffer_interleaved(lame, pcm.data(), frames, mp3.data(), int(mp3.size()));
    bool ok = bytes >= 0;
    if (ok) {
        const int tail = lame_encode_flush(lame, mp3.data() + bytes, int(mp3.size()) - bytes);
        ok = tail >= 0;
        bytes += std::max(tail, 0);
    }
    if (ok) {
        // Replace the placeholder first frame with the finished info frame.
        std::vector<unsigned char> tag(8192);
        const size_t tagBytes = lame_get_lametag_frame(lame, tag.data(), tag.size());
        ok = context == 0 || Widen(tag, tagBytes, context);
        if (tagBytes > 0 && tagBytes <= size_t(bytes))
            std::copy_n(tag.begin(), tagBytes, mp3.begin());
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream f(file, std::ios::binary);
        f.write(reinterpret_cast<const char*>(mp3.data()), bytes);
        ok = bool(f);
    }
    lame_close(lame);
    if (!ok) std::fprintf(stderr, "assetgen: cannot encode %s\n", file.c_str());
    return ok;
}

// ---------------------------------------------------------------- compositions

using Chord = std::array<int, 3>;

void Drums(Song& s, double bar, bool full, bool fill) {
    for (int b = 0; b < 4; ++b) {
        if (b % 2 == 0) s.Add(bar + b, 0.5, kDrums, 36, 110);
        if (full && (b == 1 || b == 3)) s.Add(bar + b, 0.5, kDrums, 38, 100);
        for (double h : {0.0, 0.5})
            s.Add(bar + b + h, 0.25, kDrums, 42, h == 0 ? 70 : 48);
    }
    if (full) s.Add(bar + 2.5, 0.5, kDrums, 36, 90);
    const std::array<int, 4> toms = {50, 48, 47, 45};
    if (fill)
        for (int k = 0; k < 8; ++k)
            s.Add(bar + 2 + k * 0.25, 0.25, kDrums, toms[k / 2], 80 + k * 4);
}

// Notes as {key, beats}, key 0 a rest; shift transposes the line.
void Melody(Song& s, int chan, double bar, std::initializer_list<std::array<double, 2>> line,
            int vel, int shift = 0) {
    double t = bar;
    for (const auto& n : line) {
        if (n[0] > 0) s.Add(t, n[1] * 0.95, chan, int(n[0]) + shift, vel);
        t += n[1];
    }
}

// The start menu: a moody, steady loop in A minor.
Song MenuSong() {
    Song s;
    s.bpm = 100;
    s.beats = 64;
    s.Voice(0, 89, 85, 40);  // warm pad
    s.Voice(1, 38, 100, 64); // synth bass
    s.Voice(2, 81, 45, 90);  // saw arpeggio
    s.Voice(3, 80, 80, 64);  // square lead
    s.Voice(kDrums, 0, 90, 64);
    const std::array<Chord, 8> chords = {{{57, 60, 64},
                                          {53, 57, 60},
                                          {55, 60, 64},
                                          {55, 59, 62},
                                          {57, 60, 64},
                                          {53, 57, 60},
                                          {55, 60, 64},
                                          {56, 59, 64}}};
    const std::array<int, 8> roots = {45, 41, 48, 43, 45, 41, 48, 40};
    for (int bar = 0; bar < 16; ++bar) {
        const Chord& c = chords[bar % 8];
        const double b0 = bar * 4.0;
        for (int k : c)
            s.Add(b0, 4, 0, k, 70);
        for (int e = 0; e < 8; ++e)
            s.Add(b0 + e * 0.5, 0.45, 1, roots[bar % 8] - 12 + (e % 4 == 3 ? 12 : 0), 95);
        const std::array<int, 4> arp = {c[0], c[1], c[2], c[0] + 12};
        for (int q = 0; q < 16; ++q)
            s.Add(b0 + q * 0.25, 0.22, 2, arp[(q * 3) % 4] + 12, 60 + (q % 4 == 0) * 20);
        Drums(s, b0, bar >= 8, bar == 7 || bar == 15);
    }
    const double m = 32;
    Melody(s, 3, m, {{76, 1}, {74, 0.5}, {72, 0.5}, {74, 1}, {76, 1}}, 92);
    Melody(s, 3, m + 4, {{72, 1.5}, {69, 0.5}, {72, 1}, {77, 1}}, 92);
    Melody(s, 3, m + 8, {{76, 1}, {79, 1}, {76, 1}, {72, 1}}, 92);
    Melody(s, 3, m + 12, {{74, 2}, {71, 1}, {74, 1}}, 92);
    Melody(s, 3, m + 16, {{81, 1.5}, {79, 0.5}, {76, 1}, {72, 1}}, 96);
    Melody(s, 3, m + 20, {{77, 1}, {76, 0.5}, {74, 0.5}, {72, 1}, {69, 1}}, 92);
    Melody(s, 3, m + 24, {{67, 1}, {72, 1}, {76, 1}, {79, 1}}, 92);
    Melody(s, 3, m + 28, {{80, 2}, {76, 1}, {71, 1}}, 92);
    return s;
}

// In the arena: driving power chords in E minor, two minutes before it repeats. Sections: a
// pulse, the riff, the riff with a lead, a half-time breakdown, the riff a tone higher at a
// gallop, a second lead over new chords and a turnaround with a fill back to the start.
Song GameSong() {
    Song s;
    s.bpm = 138;
    s.beats = 72 * 4;
    s.Voice(0, 30, 78, 34);  // distortion guitar
    s.Voice(1, 39, 105, 64); // synth bass 2
    s.Voice(2, 48, 70, 96);  // strings
    s.Voice(3, 81, 82, 64);  // saw lead
    s.Voice(4, 88, 70, 30);  // new-age pad, the breakdown's arpeggio
    s.Voice(kDrums, 0, 100, 64);
    enum Part { Pulse, Riff, Lead, Breakdown, Gallop, LeadB, Turn };
    struct Section {
        Part part;
        int bars;
    };
    const std::array<Section, 8> form = {{{Pulse, 4},
                                          {Riff, 16},
                                          {Lead, 16},
                                          {Breakdown, 8},
                                          {Gallop, 8},
                                          {LeadB, 8},
                                          {Lead, 8},
                                          {Turn, 4}}};
    const std::array<int, 8> riff = {40, 40, 48, 50, 40, 40, 48, 47};
    const std::array<int, 8> changes = {40, 43, 45, 47, 40, 43, 38, 47};
    int bar = 0;
    for (const Section& sec : form)
        for (int k = 0; k < sec.bars; ++k, ++bar) {
            const double b0 = bar * 4.0;
            int r = riff[size_t(k % 8)];
            if (sec.part == Gallop) r += 2;
            if (sec.part == LeadB || sec.part == Breakdown) r = changes[size_t(k % 8)];
            const bool half = sec.part == Breakdown;
            // Guitar and bass.
            for (int e = 0; e < 8 && sec.part != Pulse; ++e) {
                if (half && e % 4 != 0) continue;
                const bool accent = e == 0 || e == 3 || e == 6;
                const double len = half ? 1.9 : accent ? 0.45 : 0.2;
                for (int n : {r, r + 7, r + 12})
                    s.Add(b0 + e * 0.5, len, 0, n, half ? 85 : accent ? 110 : 75);
                if (sec.part == Gallop && !accent) s.Add(b0 + e * 0.5 + 0.25, 0.2, 0, r, 70);
            }
            for (int e = 0; e < 8; ++e)
                s.Add(b0 + e * 0.5, 0.4, 1, r - 12 + (e % 2 ? 12 : 0), half ? 80 : 100);
            if (sec.part == Lead || sec.part == LeadB || sec.part == Pulse)
                for (int n : {r + 12, r + 19, r + 24})
                    s.Add(b0, 4, 2, n, sec.part == Pulse ? 50 : 60);
            if (half)
                for (int q = 0; q < 16; ++q)
                    s.Add(b0 + q * 0.25, 0.22, 4, r + 24 + std::array<int, 4>{0, 7, 12, 15}[q % 4],
                          55 + (q % 4 == 0) * 20);
            // Drums.
            for (int b = 0; b < 4; ++b) {
                if (!half || b == 0) s.Add(b0 + b, 0.25, kDrums, 36, 115);
                if (half ? b == 2 : b % 2 == 1) s.Add(b0 + b, 0.25, kDrums, 38, 110);
                for (int q = 0; q < 4; ++q)
                    if (sec.part != Pulse || q % 2 == 0)
                        s.Add(b0 + b + q * 0.25, 0.2, kDrums, sec.part == LeadB ? 51 : 42,
                              q == 0 ? 80 : 50);
            }
            if (!half && sec.part != Pulse) s.Add(b0 + 2.5, 0.25, kDrums, 36, 95);
            const bool last = k == sec.bars - 1;
            if ((k % 4 == 3 && !half) || last)
                for (int q = 0; q < 4; ++q)
                    s.Add(b0 + 3 + q * 0.25, 0.25, kDrums,
                          last ? std::array<int, 4>{50, 48, 47, 45}[q] : 38, 80 + 10 * q);
            if (k == 0) s.Add(b0, 2, kDrums, 49, 112);
        }
    // The leads: the first melody in the riff sections with a lead, the second over new chords.
    auto lead = [&](double at, int shift, int vel) {
        Melody(s, 3, at, {{71, 1}, {76, 1}, {79, 1}, {78, 1}}, vel, shift);
        Melody(s, 3, at + 4, {{76, 2}, {74, 1}, {71, 1}}, vel, shift);
        Melody(s, 3, at + 8, {{72, 1}, {76, 1}, {79, 1.5}, {76, 0.5}}, vel, shift);
        Melody(s, 3, at + 12, {{78, 2}, {81, 1}, {78, 1}}, vel, shift);
        Melody(s, 3, at + 16, {{79, 1}, {78, 0.5}, {76, 0.5}, {71, 1}, {76, 1}}, vel + 4, shift);
        Melody(s, 3, at + 20, {{79, 1}, {81, 1}, {83, 2}}, vel + 4, shift);
        Melody(s, 3, at + 24, {{84, 1}, {83, 1}, {79, 1}, {76, 1}}, vel + 4, shift);
        Melody(s, 3, at + 28, {{75, 2}, {78, 1}, {83, 1}}, vel + 4, shift);
    };
    lead(20 * 4, 0, 100);
    lead(28 * 4, 12, 92);
    lead(60 * 4, 0, 104);
    const double b = 52 * 4; // the second lead, over E, G, A and B
    Melody(s, 3, b, {{76, 0.5}, {79, 0.5}, {83, 1}, {81, 0.5}, {79, 0.5}, {76, 1}}, 100);
    Melody(s, 3, b + 4, {{74, 1}, {79, 1}, {83, 1.5}, {86, 0.5}}, 100);
    Melody(s, 3, b + 8, {{85, 1}, {83, 0.5}, {81, 0.5}, {76, 1}, {81, 1}}, 100);
    Melody(s, 3, b + 12, {{83, 3}, {78, 1}}, 100);
    Melody(s, 3, b + 16, {{76, 0.5}, {79, 0.5}, {83, 1}, {84, 0.5}, {83, 0.5}, {79, 1}}, 104);
    Melody(s, 3, b + 20, {{86, 1.5}, {83, 0.5}, {79, 1}, {74, 1}}, 104);
    Melody(s, 3, b + 24, {{74, 1}, {78, 1}, {81, 1}, {86, 1}}, 104);
    Melody(s, 3, b + 28, {{83, 2}, {81, 1}, {78, 1}}, 104);
    return s;
}

// The intro: strings and choir swell, timpani, a brass call on the title. The tempo puts the
// final chord at 15.5 s, where the intro animation shows the title.
Song IntroSong() {
    Song s;
    s.bpm = 62;
    s.beats = 20;
    s.Voice(0, 48, 100, 50); // strings
    s.Voice(1, 52, 80, 78);  // choir
    s.Voice(2, 47, 110, 64); // timpani
    s.Voice(3, 61, 100, 64); // brass section
    const std::array<Chord, 5> chords = {
        {{50, 57, 62}, {46, 53, 58}, {48, 55, 60}, {50, 57, 62}, {50, 54, 57}}};
    for (int bar = 0; bar < 5; ++bar) {
        const double b0 = bar * 4.0;
        const int vel = 50 + bar * 15;
        for (int k : chords[bar]) {
            s.Add(b0, bar == 4 ? 4 : 3.9, 0, k, vel);
            s.Add(b0, bar == 4 ? 4 : 3.9, 0, k - 12, vel - 10);
            if (bar >= 1) s.Add(b0, 3.9, 1, k + 12, vel - 5);
        }
        s.Add(b0, 1, 2, 38, 70 + bar * 10);
    }
    for (int k = 0; k < 8; ++k)
        s.Add(14 + k * 0.25, 0.25, 2, 38, 60 + k * 7);
    Melody(s, 3, 12, {{0, 2}, {62, 0.5}, {69, 0.5}, {74, 1}}, 100);
    s.Add(16, 4, 3, 74, 115);
    s.Add(16, 4, 3, 66, 105);
    s.Add(16, 4, 3, 62, 105);
    s.Add(16, 1, 2, 38, 127);
    return s;
}

// ---------------------------------------------------------------- effects

Stereo Mono(const std::vector<float>& m) {
    Stereo s;
    s.reserve(m.size() * 2);
    for (float v : m) {
        s.push_back(v);
        s.push_back(v);
    }
    return s;
}

// One-pole low-pass filter state.
struct LowPass {
    double y = 0;
    double Step(double x, double cutoff) {
        const double a = 1 - std::exp(-2 * M_PI * cutoff / kRate);
        y += a * (x - y);
        return y;
    }
};

// One shot per frame for as long as the game keeps the loop: 17 frames of 30 ms. Each shot is a
// bright crack and a short ringing body between 300 Hz and 3 kHz, gone before the next one, so
// the loop joins without a seam.
Stereo Gun() {
    Canvas::Random rnd(77);
    const int frames = 17, spacing = kRate * AssetList::kGunLoopMs / 1000 / frames;
    std::vector<float> m(size_t(frames * spacing), 0.0f);
    for (int k = 0; k < frames; ++k) {
        LowPass low, high, thumpFilter;
        const double pitch = rnd.Range(0.93, 1.07), level = rnd.Range(0.85, 1.0);
        double phase = 0, thump = 0;
        for (int i = 0; i < spacing; ++i) {
            const double t = double(i) / kRate;
            const double noise = rnd.Next() * 2 - 1;
            // Band-passed noise: the crack.
            const double band = high.Step(noise - low.Step(noise, 500), 3200);
            phase += 2 * M_PI * pitch * (520 + 900 * std::exp(-t / 0.004)) / kRate;
            thump = thumpFilter.Step(std::sin(phase * 0.31), 400);
            const double body = std::sin(phase) * std::exp(-t / 0.006);
            const double gate = std::exp(-t / 0.0045);
            m[size_t(k * spacing + i)] =
                float(level * (2.2 * band * gate + 0.55 * body + 0.25 * thump * gate));
        }
    }
    return Mono(m);
}

// A crack of bright noise over a falling boom and a rumble that dies away.
Stereo Explosion() {
    Canvas::Random rnd(91);
    const int n = int(1.8 * kRate);
    std::vector<float> m(static_cast<size_t>(n));
    LowPass lp1, lp2, crackLow, sparkLow;
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double env = (1 - std::exp(-t / 0.004)) * std::exp(-t / 0.45);
        const double noise = rnd.Next() * 2 - 1;
        const double rumble = lp2.Step(lp1.Step(noise, 150 + 3500 * std::exp(-t / 0.15)), 900);
        phase += 2 * M_PI * (30 + 45 * std::exp(-t / 0.3)) / kRate;
        const double boom = std::sin(phase) * std::exp(-t / 0.5);
        // The crack: high-passed noise in the first tenth of a second.
        const double crack =
            (noise - crackLow.Step(noise, 1800)) * std::exp(-t / 0.07) * (1 - std::exp(-t / 0.001));
        const double spark = rnd.Next() < 0.004 * std::exp(-t / 0.5) ? (rnd.Next() - 0.5) * 1.6 : 0;
        m[size_t(i)] = float(env * (1.6 * rumble + 0.7 * boom) + 1.1 * crack + spark -
                             sparkLow.Step(spark, 1500));
    }
    return Mono(m);
}

// The robot powering down: a noise burst and a falling, wobbling buzz.
Stereo Death() {
    Canvas::Random rnd(13);
    const int n = int(2.2 * kRate);
    std::vector<float> m(static_cast<size_t>(n));
    LowPass lp, hit;
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double f = 110 + 770 * std::exp(-t / 0.6) + 25 * std::sin(2 * M_PI * 7 * t);
        phase += 2 * M_PI * f / kRate;
        const double buzz = lp.Step(std::sin(phase) > 0 ? 1.0 : -1.0, 2500) * std::exp(-t / 1.2);
        const double burst = hit.Step(rnd.Next() * 2 - 1, 2000) * std::exp(-t / 0.12);
        const double fade = std::min(1.0, (2.2 - t) / 0.3);
        m[size_t(i)] = float(fade * (0.6 * buzz + 1.4 * burst));
    }
    return Mono(m);
}

} // namespace

bool MakeSounds(const std::string& outDir, const std::string& soundFont) {
    const std::string dir = outDir + "/";
    Stereo intro = Render(IntroSong(), 1, 4.0, soundFont);
    Stereo menu = Loop(MenuSong(), soundFont);
    Stereo game = Loop(GameSong(), soundFont);
    if (intro.empty() || menu.empty() || game.empty()) return false;
    // As long as the intro animation; the game fades it further in its last two seconds.
    intro.resize(std::min(intro.size(), size_t(2 * kIntroSeconds * kRate)));
    Fade(intro, 0.01, 3.0);
    // The game plays the level music at a lower volume than the menu's: both sound equally loud.
    const double levelVolume = 20 * std::log10(AssetList::kGameMusicVolume / 255.0);
    Master(intro, kMusicLufs, kMusicCeiling);
    Master(menu, kMusicLufs + levelVolume, kMusicCeiling);
    Master(game, kMusicLufs, kMusicCeiling);
    // The held gun sits under the music; the explosion is the loudest effect.
    Stereo gun = Gun(), boom = Explosion(), death = Death();
    Master(gun, kMusicLufs + levelVolume - 4, 0.35);
    Normalise(boom, 0.5f);
    Normalise(death, 0.45f);
    return WriteMp3(intro, dir + std::string(AssetList::kSounds[0]), 160) &&
           WriteMp3(menu, dir + std::string(AssetList::kSounds[1]), 160, true) &&
           WriteMp3(game, dir + std::string(AssetList::kSounds[2]), 160, true) &&
           WriteMp3(gun, dir + std::string(AssetList::kSounds[3]), 128) &&
           WriteMp3(boom, dir + std::string(AssetList::kSounds[4]), 128) &&
           WriteMp3(death, dir + std::string(AssetList::kSounds[5]), 128);
}

} // namespace Sounds
