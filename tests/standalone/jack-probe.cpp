// A JACK client of the JACK test's own: it plays a short tone burst into a client's inputs
// in_1 and in_2 (the standalone app's ports), records that client's outputs out_1 and out_2,
// and says whether the echo came back after the burst had ended.
//
//   jack-probe <client> <seconds>
//
// It waits up to the given time for the client's ports and for the client to take connections,
// connects to them beside whatever they are connected to already, and plays the burst again
// until the client's output carries it (the app may not have started its audio yet). Then, on
// each channel, the output must be quiet before the burst, carry the burst, and after the burst
// has ended still carry the echo. Exit status 0: the echo was heard; 1: it was not, or the ports
// or the burst never came; 2: no JACK server or a wrong command line. It reaches the server that
// JACK_DEFAULT_SERVER names.

#include <jack/jack.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr int numChannels = 2;
constexpr double leadSeconds = 0.2;                           // silence before the burst
constexpr double burstSeconds = 0.02;                         // a 440 Hz tone at -12 dBFS
constexpr double recordSeconds = 0.6;                         // the whole take, from the start of the lead
constexpr double echoFromSeconds = 0.01, echoToSeconds = 0.2; // after the burst has ended
constexpr float burstLevel = 0.25f;

// One take: the process callback plays and records it once armed, then leaves it alone.
struct Take
{
    jack_client_t* client = nullptr;
    std::array<jack_port_t*, numChannels> outputs {}, inputs {};
    std::array<std::vector<float>, numChannels> recorded;
    int leadFrames = 0, burstFrames = 0, length = 0;
    double sampleRate = 48000.0;

    std::atomic<bool> armed { false };
    std::atomic<int> position { 0 };
    std::atomic<bool> serverGone { false };

    float burst (int frame) const
    {
        const int t = frame - leadFrames;
        if (t < 0 || t >= burstFrames)
            return 0.0f;
        return burstLevel * (float) std::sin (2.0 * 3.141592653589793 * 440.0 * t / sampleRate);
    }
};

int process (jack_nframes_t frames, void* argument)
{
    auto& take = *static_cast<Take*> (argument);
    const bool armed = take.armed.load (std::memory_order_acquire);
    const int start = take.position.load (std::memory_order_relaxed);

    for (int c = 0; c < numChannels; ++c)
    {
        auto* out = static_cast<float*> (jack_port_get_buffer (take.outputs[(size_t) c], frames));
        const auto* in = static_cast<const float*> (jack_port_get_buffer (take.inputs[(size_t) c], frames));

        for (jack_nframes_t i = 0; i < frames; ++i)
        {
            const int frame = start + (int) i;
            const bool playing = armed && frame < take.length;
            out[i] = playing ? take.burst (frame) : 0.0f;
            if (playing)
                take.recorded[(size_t) c][(size_t) frame] = in[i];
        }
    }

    if (armed)
    {
        const int next = std::min (start + (int) frames, take.length);
        take.position.store (next, std::memory_order_relaxed);
        if (next == take.length)
            take.armed.store (false, std::memory_order_release);
    }
    return 0;
}

void serverShutDown (void* argument) { static_cast<Take*> (argument)->serverGone = true; }

double rms (const std::vector<float>& samples, int from, int to)
{
    double sum = 0.0;
    for (int i = from; i < to; ++i)
        sum += (double) samples[(size_t) i] * samples[(size_t) i];
    return to > from ? std::sqrt (sum / (to - from)) : 0.0;
}

double decibels (double level) { return 20.0 * std::log10 (std::max (level, 1.0e-9)); }

using Clock = std::chrono::steady_clock;

bool waitForPorts (jack_client_t* client, const std::string& name, Clock::time_point deadline)
{
    for (;;)
    {
        bool all = true;
        for (const char* port : { ":in_1", ":in_2", ":out_1", ":out_2" })
            all = all && jack_port_by_name (client, (name + port).c_str()) != nullptr;
        if (all)
            return true;
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for (std::chrono::milliseconds (50));
    }
}

// Plays and records one take; false if the server went away or the time ran out first.
bool playTake (Take& take, Clock::time_point deadline)
{
    take.position.store (0, std::memory_order_relaxed);
    take.armed.store (true, std::memory_order_release);
    while (take.armed.load (std::memory_order_acquire))
    {
        if (take.serverGone || Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for (std::chrono::milliseconds (10));
    }
    return true;
}

// Connects the probe's outputs to the client's inputs and its outputs to the probe's inputs. The
// server refuses a connection to a client that has registered its ports but is not active yet,
// so it tries again until the deadline; a connection made by an earlier try stays.
bool connect (Take& take, const std::string& target, Clock::time_point deadline)
{
    const auto made = [] (int result) { return result == 0 || result == EEXIST; };

    for (;;)
    {
        bool all = true;
        for (int c = 0; c < numChannels && all; ++c)
        {
            const auto index = std::to_string (c + 1);
            all = made (jack_connect (take.client, jack_port_name (take.outputs[(size_t) c]),
                                      (target + ":in_" + index).c_str())) &&
                  made (jack_connect (take.client, (target + ":out_" + index).c_str(),
                                      jack_port_name (take.inputs[(size_t) c])));
        }
        if (all)
            return true;
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for (std::chrono::milliseconds (50));
    }
}

// Takes until the burst comes back, then whether each channel carried the echo after it.
std::string listenForEcho (Take& take, Clock::time_point deadline)
{
    const int echoFrom = take.burstFrames + (int) (echoFromSeconds * take.sampleRate);
    const int echoTo = take.burstFrames + (int) (echoToSeconds * take.sampleRate);
    const int lastOnset = take.length - echoTo;

    for (;;)
    {
        if (! playTake (take, deadline))
            return take.serverGone ? "the JACK server went away" : "the output never carried the burst";

        // Where the burst came back on each channel: the output's first loud sample.
        std::array<int, numChannels> onsets {};
        bool returned = true;
        for (int c = 0; c < numChannels; ++c)
        {
            const auto& samples = take.recorded[(size_t) c];
            int onset = take.leadFrames;
            while (onset < lastOnset && std::abs (samples[(size_t) onset]) < burstLevel * 0.1f)
                ++onset;
            onsets[(size_t) c] = onset;
            returned = returned && onset < lastOnset;
        }
        if (! returned)
        {
            std::printf ("jack-probe: the burst did not come back yet; again\n");
            continue;
        }

        std::string failure;
        for (int c = 0; c < numChannels; ++c)
        {
            const auto& samples = take.recorded[(size_t) c];
            const int onset = onsets[(size_t) c];
            const double before = rms (samples, 0, take.leadFrames);
            const double during = rms (samples, onset, onset + take.burstFrames);
            const double after = rms (samples, onset + echoFrom, onset + echoTo);
            std::printf ("jack-probe: out_%d: before the burst %.1f dBFS, during it %.1f dBFS, after it %.1f dBFS\n",
                         c + 1, decibels (before), decibels (during), decibels (after));

            // Quiet before the burst, and after it the echo no more than 30 dB below the burst:
            // the record stage's filters alone ring out within milliseconds.
            if (failure.empty() && before > 0.001)
                failure = "out_" + std::to_string (c + 1) + " was not quiet before the burst";
            else if (failure.empty() && after < during * 0.03)
                failure = "no echo on out_" + std::to_string (c + 1) + " after the burst";
        }
        return failure;
    }
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 3)
    {
        std::fprintf (stderr, "usage: jack-probe <client> <seconds>\n");
        return 2;
    }
    const std::string target = argv[1];
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration> (
                                             std::chrono::duration<double> (std::atof (argv[2])));

    Take take;
    jack_status_t status {};
    take.client = jack_client_open ("vimbrel-jack-probe", JackNoStartServer, &status);
    if (take.client == nullptr)
    {
        std::fprintf (stderr, "jack-probe: no JACK server to connect to (status 0x%x)\n", (unsigned) status);
        return 2;
    }

    take.sampleRate = jack_get_sample_rate (take.client);
    take.leadFrames = (int) (leadSeconds * take.sampleRate);
    take.burstFrames = (int) (burstSeconds * take.sampleRate);
    take.length = (int) (recordSeconds * take.sampleRate);
    for (auto& channel : take.recorded)
        channel.assign ((size_t) take.length, 0.0f);

    for (int c = 0; c < numChannels; ++c)
    {
        const auto index = std::to_string (c + 1);
        take.outputs[(size_t) c] =
            jack_port_register (take.client, ("out_" + index).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        take.inputs[(size_t) c] =
            jack_port_register (take.client, ("in_" + index).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    }
    jack_set_process_callback (take.client, process, &take);
    jack_on_shutdown (take.client, serverShutDown, &take);

    std::string failure;
    if (jack_activate (take.client) != 0)
        failure = "the JACK server did not run the probe";
    else if (! waitForPorts (take.client, target, deadline))
        failure = "no ports in_1, in_2, out_1, out_2 appeared";
    else if (! connect (take, target, deadline))
        failure = "could not connect to its ports";
    else
    {
        std::printf ("jack-probe: connected to %s at %.0f Hz\n", target.c_str(), take.sampleRate);
        failure = listenForEcho (take, deadline);
    }

    if (! failure.empty())
        std::fprintf (stderr, "jack-probe: %s: %s (within %s s)\n", target.c_str(), failure.c_str(), argv[2]);
    else
        std::printf ("jack-probe: %s's output carries the echo\n", target.c_str());

    jack_client_close (take.client);
    return failure.empty() ? 0 : 1;
}
