#include "FixedTempoPlayHead.h"
#include "HostPreparation.h"
#include "RenderOptions.h"
#include "SlotNames.h"
#include "TestSignals.h"

#include "processor/EchoPluginProcessor.h"

#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

namespace
{
const juce::File renderer (VIMBREL_RENDER_TOOL);

struct Run
{
    int exitCode;
    juce::String output;
};

Run runRenderer (const juce::StringArray& arguments)
{
    juce::ChildProcess process;
    juce::StringArray command { renderer.getFullPathName() };
    command.addArray (arguments);
    EXPECT_TRUE (process.start (command));
    const auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish (60000);
    return { (int) process.getExitCode(), output };
}

// Runs the renderer with a terminal as its standard streams, as in a user's shell.
Run runRendererOnTerminal (const juce::StringArray& arguments)
{
    std::vector<std::string> words { renderer.getFullPathName().toStdString() };
    for (const auto& argument : arguments)
        words.push_back (argument.toStdString());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back (word.data());
    argv.push_back (nullptr);

    int terminal = -1;
    const pid_t child = forkpty (&terminal, nullptr, nullptr, nullptr);
    if (child == 0)
    {
        execv (argv[0], argv.data());
        _exit (127);
    }
    EXPECT_GT (child, 0) << "forkpty failed";
    if (child < 0)
        return { -1, {} };

    // The terminal's side reads until the renderer has ended and closed it (EIO on Linux).
    juce::MemoryOutputStream output;
    char buffer[4096];
    for (;;)
    {
        const auto count = read (terminal, buffer, sizeof (buffer));
        if (count > 0)
            output.write (buffer, (size_t) count);
        else if (count < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    close (terminal);

    int status = 0;
    waitpid (child, &status, 0);
    return { WIFEXITED (status) ? WEXITSTATUS (status) : -1, output.toString() };
}

juce::StringArray joined (juce::StringArray first, const juce::StringArray& then)
{
    first.addArray (then);
    return first;
}

juce::MemoryBlock bytesOf (const juce::File& file)
{
    juce::MemoryBlock data;
    file.loadFileAsData (data);
    return data;
}

// A scratch folder of its own for every test.
struct RendererTest : ::testing::Test
{
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile();

    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File file (const char* name) const { return folder.getChildFile (name); }

    int filesIn() const { return folder.getNumberOfChildFiles (juce::File::findFiles); }
};

// A short phrase: a few decaying tones and a click, different on the two channels.
juce::AudioBuffer<float> phrase (int channels, double rate, double seconds)
{
    juce::AudioBuffer<float> buffer (channels, (int) (rate * seconds));
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const double t = i / rate, note = std::fmod (t, 0.25);
            buffer.setSample (c, i,
                              (float) (0.4 * std::exp (-note * 12.0) *
                                       std::sin (2.0 * juce::MathConstants<double>::pi *
                                                 (220.0 + 110.0 * c + 440.0 * (int) (t / 0.25)) * t)));
        }
    return buffer;
}

// A WAV file as the framework writes it (a padding chunk before the format): 8, 16 or 24-bit
// integer samples, or 32-bit float.
void writeWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits)
{
    file.deleteFile();
    auto stream = file.createOutputStream();
    ASSERT_NE (stream, nullptr);
    std::unique_ptr<juce::AudioFormatWriter> writer (
        juce::WavAudioFormat().createWriterFor (stream.get(), rate, (unsigned) audio.getNumChannels(), bits, {}, 0));
    ASSERT_NE (writer, nullptr);
    stream.release();
    ASSERT_TRUE (writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples()));
}

// The pieces of the WAV files the framework does not write: 32-bit integer samples, the
// extensible format, damaged and unusual layouts.
juce::MemoryBlock chunk (const char* id, const juce::MemoryBlock& body, juce::int64 declaredSize = -1)
{
    juce::MemoryOutputStream out;
    out.write (id, 4);
    out.writeInt ((int) (declaredSize >= 0 ? declaredSize : (juce::int64) body.getSize()));
    out << body;
    if (body.getSize() % 2 == 1)
        out.writeByte (0);
    return out.getMemoryBlock();
}

juce::MemoryBlock formatBody (int tag, int channels, int rate, int bits)
{
    juce::MemoryOutputStream out;
    out.writeShort ((short) tag);
    out.writeShort ((short) channels);
    out.writeInt (rate);
    out.writeInt (rate * channels * bits / 8);
    out.writeShort ((short) (channels * bits / 8));
    out.writeShort ((short) bits);
    return out.getMemoryBlock();
}

// The 40-byte format of WAVE_FORMAT_EXTENSIBLE, with the sub-format GUID of PCM (1) or float (3).
juce::MemoryBlock extensibleBody (int subFormat, int channels, int rate, int bits)
{
    juce::MemoryOutputStream out;
    out << formatBody (0xfffe, channels, rate, bits);
    out.writeShort (22);
    out.writeShort ((short) bits);
    out.writeInt (channels == 1 ? 4 : 3);
    const unsigned char guidTail[] = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                       0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71 };
    out.writeShort ((short) subFormat);
    out.write (guidTail, sizeof (guidTail));
    return out.getMemoryBlock();
}

// Interleaved little-endian samples: integers of 16, 24 or 32 bits, or 32-bit floats.
juce::MemoryBlock samples (const juce::AudioBuffer<float>& audio, int bits, bool isFloat = false)
{
    juce::MemoryOutputStream out;
    for (int i = 0; i < audio.getNumSamples(); ++i)
        for (int c = 0; c < audio.getNumChannels(); ++c)
        {
            const float x = audio.getSample (c, i);
            if (isFloat)
                out.writeFloat (x);
            else
            {
                const auto code = (juce::int64) std::lround (x * (std::ldexp (1.0, bits - 1) - 1.0));
                for (int b = 0; b < bits / 8; ++b)
                    out.writeByte ((char) (code >> (8 * b)));
            }
        }
    return out.getMemoryBlock();
}

void writeRiff (const juce::File& file, std::initializer_list<juce::MemoryBlock> chunks, const char* kind = "RIFF",
                juce::int64 declaredSize = -1)
{
    juce::MemoryOutputStream body;
    body.write ("WAVE", 4);
    for (const auto& c : chunks)
        body << c;
    ASSERT_TRUE (
        file.replaceWithData (chunk (kind, body.getMemoryBlock(), declaredSize).getData(), body.getDataSize() + 8));
}

struct Decoded
{
    juce::AudioBuffer<float> audio;
    std::vector<int> codes; // interleaved: integers left-aligned in 32 bits, floats as their bits
    double rate = 0;
    int bits = 0;
    bool isFloat = false;
};

Decoded readWav (const juce::File& file)
{
    Decoded decoded;
    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (file.createInputStream().release(), true));
    if (reader == nullptr)
        return decoded;

    const int channels = (int) reader->numChannels, frames = (int) reader->lengthInSamples;
    decoded.rate = reader->sampleRate;
    decoded.bits = (int) reader->bitsPerSample;
    decoded.isFloat = reader->usesFloatingPointData;
    decoded.audio.setSize (channels, frames);
    reader->read (&decoded.audio, 0, frames, 0, true, true);

    juce::AudioBuffer<int> raw (channels, frames);
    reader->read (raw.getArrayOfWritePointers(), channels, 0, frames, false);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            decoded.codes.push_back (raw.getSample (c, i));
    return decoded;
}

// Whether a file has the plain layout the renderer writes: for integer samples the 44-byte
// header, for float samples the format with its extension size (none) and the fact chunk with
// the number of frames, 58 bytes; then the samples.
bool isPlainWav (const juce::File& file)
{
    juce::MemoryBlock data;
    if (! file.loadFileAsData (data) || data.getSize() < 44)
        return false;

    juce::MemoryInputStream in (data, false);
    const auto text = [&] (int at) { return juce::String ((const char*) data.getData() + at, 4); };
    in.setPosition (4);
    const auto riffSize = (juce::uint32) in.readInt();
    in.setPosition (16);
    const int formatSize = in.readInt();
    const int tag = in.readShort(), channels = in.readShort();
    in.setPosition (34);
    const int bits = in.readShort();
    const bool isFloat = tag == 3;

    if (text (0) != "RIFF" || text (8) != "WAVE" || text (12) != "fmt " || formatSize != (isFloat ? 18 : 16) ||
        riffSize != data.getSize() - 8)
        return false;

    const int dataAt = isFloat ? 58 : 44;
    if (isFloat)
    {
        if (data.getSize() < 58)
            return false;
        in.setPosition (36);
        const int extensionSize = in.readShort();
        in.setPosition (42);
        const int factSize = in.readInt(), frames = in.readInt();
        const auto dataBytes = data.getSize() - 58;
        if (extensionSize != 0 || text (38) != "fact" || factSize != 4 || bits != 32 ||
            (size_t) frames * (size_t) channels * 4 != dataBytes)
            return false;
    }

    in.setPosition (dataAt - 4);
    const auto dataSize = (juce::uint32) in.readInt();
    return text (dataAt - 8) == "data" && data.getSize() == (size_t) dataAt + dataSize;
}

TEST_F (RendererTest, AtVolumeZeroEveryFormatComesBackUnchangedInAPlainFile)
{
    const struct
    {
        const char* name;
        int channels;
        double rate;
        int bits;
        bool isFloat;
    } cases[] = {
        { "16-bit stereo, 48 kHz", 2, 48000.0, 16, false },
        { "24-bit mono, 44.1 kHz", 1, 44100.0, 24, false },
        { "32-bit integer stereo, 96 kHz", 2, 96000.0, 32, false },
        { "32-bit float stereo, 22.05 kHz", 2, 22050.0, 32, true },
    };

    for (const auto& c : cases)
    {
        const auto input = file ("in.wav"), output = file ("out.wav");
        const auto audio = phrase (c.channels, c.rate, 0.5);
        if (c.bits == 32 && ! c.isFloat)
            writeRiff (input, { chunk ("fmt ", formatBody (1, c.channels, (int) c.rate, 32)),
                                chunk ("data", samples (audio, 32)) });
        else
            writeWav (input, audio, c.rate, c.bits);

        const auto run = runRenderer ({ input.getFullPathName(), output.getFullPathName(), "--set", "Volume=0",
                                        "--program", "Guitar", "--block", "100", "--tail", "0" });
        ASSERT_EQ (run.exitCode, 0) << c.name << ": " << run.output;

        // The output has the input's format and, bit for bit, its samples.
        const auto in = readWav (input), out = readWav (output);
        EXPECT_TRUE (isPlainWav (output)) << c.name;
        EXPECT_EQ (out.rate, c.rate) << c.name;
        EXPECT_EQ (out.bits, c.bits) << c.name;
        EXPECT_EQ (out.isFloat, c.isFloat) << c.name;
        ASSERT_EQ (out.audio.getNumSamples(), in.audio.getNumSamples()) << c.name;
        ASSERT_EQ (out.audio.getNumChannels(), c.channels) << c.name;
        EXPECT_EQ (in.codes, out.codes) << c.name;
        EXPECT_GT (out.audio.getMagnitude (0, out.audio.getNumSamples()), 0.1f) << c.name;
    }
}

TEST_F (RendererTest, ReadsEveryUsualLayoutAndNamesWhatItCannotRead)
{
    const auto stereo = phrase (2, 8000.0, 0.05), mono = phrase (1, 8000.0, 0.05);
    const auto pcm16 = chunk ("fmt ", formatBody (1, 2, 8000, 16));
    const auto data16 = chunk ("data", samples (stereo, 16));
    auto withExtraBytes = samples (stereo, 16);
    withExtraBytes.append ("xyz", 3);

    // Metadata the framework parses, with counts and lengths that point past their chunks.
    juce::MemoryOutputStream sampler, cues, labels;
    sampler.writeRepeatedByte (0, 28);
    sampler.writeInt (1000000); // sample loops
    sampler.writeInt (0);
    cues.writeInt (100000); // cue points
    labels.write ("adtl", 4);
    labels.write ("labl", 4);
    labels.writeInt (-16); // a label longer than the file
    labels.writeInt (1);

    const auto output = file ("out.wav");
    const struct
    {
        const char* name;
        std::function<void (const juce::File&)> write;
        int frames;          // the frames rendered, or -1 when the file is refused...
        const char* message; // ...with this reason
    } cases[] = {
        { "extensible, 24-bit integers",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("fmt ", extensibleBody (1, 2, 8000, 24)), chunk ("data", samples (stereo, 24)) });
          },
          400, nullptr },
        { "extensible, 32-bit float, mono",
          [&] (const juce::File& f) {
              writeRiff (f,
                         { chunk ("fmt ", extensibleBody (3, 1, 8000, 32)), chunk ("data", samples (mono, 32, true)) });
          },
          400, nullptr },
        { "odd-sized chunks before and after the format",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("LIST", { "INFOx", 5 }), pcm16, chunk ("odd ", { "abc", 3 }), data16 });
          },
          400, nullptr },
        { "a chunk after the audio claiming 4 GB",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, data16, chunk ("bext", { "abcd", 4 }, 0xfffffff0) });
          },
          400, nullptr },
        { "the RIFF size of a stream",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, data16 }, "RIFF", 0xffffffff);
          },
          400, nullptr },
        { "audio data of part of a frame more",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, chunk ("data", withExtraBytes) });
          },
          400, nullptr },
        { "no frames",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, chunk ("data", {}) });
          },
          0, nullptr },
        { "damaged metadata before the audio",
          [&] (const juce::File& f)
          {
              writeRiff (f, { chunk ("smpl", sampler.getMemoryBlock()), chunk ("cue ", cues.getMemoryBlock()),
                              chunk ("LIST", labels.getMemoryBlock()), pcm16, data16 });
          },
          400, nullptr },
        { "compressed samples",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("fmt ", formatBody (2, 2, 8000, 4)), data16 });
          },
          -1, "compressed WAV (format 2)" },
        { "64-bit float",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("fmt ", formatBody (3, 2, 8000, 64)), data16 });
          },
          -1, "64-bit float" },
        { "16-bit float",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("fmt ", formatBody (3, 2, 8000, 16)), data16 });
          },
          -1, "16-bit float" },
        { "sample rate 0",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("fmt ", formatBody (1, 2, 0, 16)), data16 });
          },
          -1, "sample rate of 0" },
        { "format chunk too short",
          [&] (const juce::File& f) {
              writeRiff (f, { chunk ("fmt ", { "0123456789ab", 12 }), data16 });
          },
          -1, "damaged format chunk" },
        { "audio before the format",
          [&] (const juce::File& f) {
              writeRiff (f, { data16, pcm16 });
          },
          -1, "audio data before the format chunk" },
        { "no audio", [&] (const juce::File& f) { writeRiff (f, { pcm16 }); }, -1, "has no audio data" },
        { "the data size of a stream",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, chunk ("data", samples (stereo, 16), 0xffffffff) });
          },
          -1, "truncated" },
        { "RF64",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, data16 }, "RF64");
          },
          -1, "not a WAV file" },
        { "audio outside the RIFF size",
          [&] (const juce::File& f) {
              writeRiff (f, { pcm16, data16 }, "RIFF", 4 + (juce::int64) pcm16.getSize());
          },
          -1, "damaged" },
    };

    for (const auto& c : cases)
    {
        const auto input = file ("in.wav");
        c.write (input);
        const auto run = runRenderer ({ input.getFullPathName(), output.getFullPathName(), "--tail", "0" });

        if (c.frames >= 0)
        {
            EXPECT_EQ (run.exitCode, 0) << c.name << ": " << run.output;
            EXPECT_TRUE (isPlainWav (output)) << c.name;
            EXPECT_EQ (readWav (output).audio.getNumSamples(), c.frames) << c.name;
        }
        else
        {
            EXPECT_EQ (run.exitCode, 1) << c.name;
            EXPECT_TRUE (run.output.contains (c.message)) << c.name << ": " << run.output;
            EXPECT_EQ (run.output.trimEnd().indexOfChar ('\n'), -1) << c.name << ": one line only";
            EXPECT_FALSE (output.exists()) << c.name;
        }
        output.deleteFile();
    }
}

// The sample where channel 1 of the decoded output first rises above a level after a point.
int firstAbove (const juce::AudioBuffer<float>& audio, int from, float level)
{
    for (int i = from; i < audio.getNumSamples(); ++i)
        if (std::abs (audio.getSample (0, i)) > level)
            return i;
    return -1;
}

TEST_F (RendererTest, TempoAndTailShapeTheEcho)
{
    // A click after one second, once both banks of the drum follow the spacing.
    juce::AudioBuffer<float> click (2, 48000 + 100);
    click.clear();
    click.setSample (0, 48000, 0.9f);
    click.setSample (1, 48000, 0.9f);
    const auto input = file ("click.wav");
    writeWav (input, click, 48000.0, 24);

    const struct
    {
        const char* bpm;
        int echoAt; // head 1 sits a tenth of a beat after the click
    } cases[] = { { "120", 48000 + 2400 }, { "60", 48000 + 4800 } };

    for (const auto& c : cases)
    {
        const auto output = file ("echo.wav");
        const auto run = runRenderer (
            { input.getFullPathName(), output.getFullPathName(), "--bpm", c.bpm, "--tail", "0.5", "--float" });
        ASSERT_EQ (run.exitCode, 0) << run.output;

        const auto out = readWav (output);
        EXPECT_TRUE (out.isFloat);
        EXPECT_EQ (out.audio.getNumSamples(), click.getNumSamples() + 24000);
        EXPECT_NEAR (firstAbove (out.audio, 48000 + 400, 0.02f), c.echoAt, 8) << c.bpm << " BPM";
    }
}

// Progress shows on a terminal only, for renders longer than 30 seconds; --quiet silences it
// there too, and errors still show.
TEST_F (RendererTest, ProgressShowsOnATerminalOnly)
{
    const auto input = file ("long.wav"), output = file ("long-out.wav");
    juce::AudioBuffer<float> silence (1, 8000 * 40);
    silence.clear();
    writeWav (input, silence, 8000.0, 16);
    const juce::StringArray render { input.getFullPathName(), output.getFullPathName() };

    const struct
    {
        const char* name;
        bool onTerminal;
        juce::StringArray options;
        int exitCode;
        const char* shown; // what the output holds, or nullptr for nothing at all
    } cases[] = {
        { "on a terminal", true, {}, 0, "rendering: 100 %" },
        { "into a pipe", false, {}, 0, nullptr },
        { "quiet on a terminal", true, { "--quiet" }, 0, nullptr },
        { "quiet, with an error", true, { "--quiet", "--program", "Reverb" }, 2, "unknown program 'Reverb'" },
    };

    for (const auto& c : cases)
    {
        auto arguments = render;
        arguments.addArray (c.options);
        const auto run = c.onTerminal ? runRendererOnTerminal (arguments) : runRenderer (arguments);
        EXPECT_EQ (run.exitCode, c.exitCode) << c.name << ": " << run.output;
        if (c.shown == nullptr)
            EXPECT_TRUE (run.output.isEmpty()) << c.name << ": " << run.output;
        else
            EXPECT_TRUE (run.output.contains (c.shown)) << c.name << ": " << run.output;
    }
}

TEST_F (RendererTest, BadInputGivesOneClearMessageAndNoFile)
{
    const auto good = file ("good.wav");
    writeWav (good, phrase (2, 48000.0, 0.2), 48000.0, 16);
    const auto goodBytes = bytesOf (good);

    const auto truncated = file ("truncated.wav");
    truncated.replaceWithData (goodBytes.getData(), 1000);
    const auto text = file ("text.wav");
    text.replaceWithText ("this is no audio");
    const auto eightBit = file ("eight-bit.wav");
    writeWav (eightBit, phrase (1, 8000.0, 0.1), 8000.0, 8);
    const auto threeChannels = file ("three.wav");
    writeWav (threeChannels, phrase (3, 8000.0, 0.1), 8000.0, 16);

    const auto output = file ("out.wav");
    const juce::String in = good.getFullPathName(), out = output.getFullPathName();
    constexpr int fileError = 1, usageError = 2;
    const char* const keepsNothing = "keeps nothing a host can set";

    const struct
    {
        const char* name;
        juce::StringArray arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        { "missing input", { file ("nothing.wav").getFullPathName(), out }, fileError, "no such file" },
        { "truncated input", { truncated.getFullPathName(), out }, fileError, "truncated" },
        { "not a WAV file", { text.getFullPathName(), out }, fileError, "not a WAV file" },
        { "8-bit input", { eightBit.getFullPathName(), out }, fileError, "8-bit" },
        { "three channels", { threeChannels.getFullPathName(), out }, fileError, "3 channels" },
        { "unknown parameter", { in, out, "--set", "Feedback=0.5" }, usageError, "unknown parameter 'Feedback'" },
        { "unnamed slot by name", { in, out, "--set", "No Parameter=0.5" }, usageError, "unknown parameter" },
        { "slot past the last", { in, out, "--set", "22=0.5" }, usageError, "unknown parameter '22'" },
        { "value not a number", { in, out, "--set", "tone=loud" }, usageError, "must be a number" },
        { "value above 1", { in, out, "--set", "3=1.5" }, usageError, "the value of 3 must be from 0 to 1" },
        { "value below 0", { in, out, "--set", "3=-0.2" }, usageError, "the value of 3 must be from 0 to 1" },
        { "value of 100", { in, out, "--set", "Volume=100" }, usageError, "the value of Volume must be from 0 to 1" },
        { "the level meter's slot", { in, out, "--set", "6=0.5" }, usageError, keepsNothing },
        { "the level lamp by name", { in, out, "--set", "level=0.5" }, usageError, keepsNothing },
        { "unused slot 7", { in, out, "--set", "7=0.5" }, usageError, keepsNothing },
        { "unused slot 8", { in, out, "--set", "8=1" }, usageError, keepsNothing },
        { "the spare tempo slot", { in, out, "--set", "14=0.6" }, usageError, keepsNothing },
        { "unknown program", { in, out, "--program", "Reverb" }, usageError, "unknown program 'Reverb'" },
        { "program out of range", { in, out, "--program", "6" }, usageError, "unknown program '6'" },
        { "unknown option", { in, out, "--wet" }, usageError, "unknown option '--wet'" },
        { "option without value", { in, out, "--bpm" }, usageError, "--bpm needs a value" },
        { "one path only", { in }, usageError, "give one input and one output file" },
        { "unwritable output",
          { in, folder.getChildFile ("no/such/folder/out.wav").getFullPathName() },
          fileError,
          "cannot write" },
    };

    for (const auto& c : cases)
    {
        const auto run = runRenderer (c.arguments);
        EXPECT_EQ (run.exitCode, c.exitCode) << c.name << ": " << run.output;
        EXPECT_TRUE (run.output.contains (c.message)) << c.name << ": " << run.output;
        EXPECT_EQ (run.output.trimEnd().indexOfChar ('\n'), -1) << c.name << ": one line only";
        EXPECT_FALSE (output.exists()) << c.name;
        EXPECT_EQ (filesIn(), 5) << c.name << ": no partial files left";
        EXPECT_EQ (bytesOf (good), goodBytes) << c.name << ": the input is untouched";
    }

    // A failed render leaves an existing output as it was.
    output.replaceWithText ("keep me");
    EXPECT_NE (runRenderer ({ in, out, "--program", "Reverb" }).exitCode, 0);
    EXPECT_EQ (output.loadFileAsString(), "keep me");
}

// The output may not be the input under any name: the same path, a path through another
// folder, a symbolic link or a hard link to it. One line says so, the input stays as it was and
// nothing is left behind. A copy of the input is another file, and is written as usual.
TEST_F (RendererTest, RefusesAnOutputThatIsTheInputFile)
{
    const auto input = file ("drums.wav");
    writeWav (input, phrase (2, 8000.0, 0.2), 8000.0, 16);
    const auto original = bytesOf (input);

    const auto symbolicLink = file ("link.wav"), hardLink = file ("hard.wav"), copy = file ("copy.wav");
    ASSERT_TRUE (input.createSymbolicLink (symbolicLink, false));
    ASSERT_EQ (link (input.getFullPathName().toRawUTF8(), hardLink.getFullPathName().toRawUTF8()), 0);
    ASSERT_TRUE (input.copyFileTo (copy));
    ASSERT_TRUE (folder.getChildFile ("sub").createDirectory());
    const int files = filesIn();

    const struct
    {
        const char* name;
        juce::String input, output;
    } cases[] = {
        { "the same path", input.getFullPathName(), input.getFullPathName() },
        { "a path through another folder", input.getFullPathName(), folder.getFullPathName() + "/sub/../drums.wav" },
        { "a symbolic link to the input", input.getFullPathName(), symbolicLink.getFullPathName() },
        { "the input by a symbolic link", symbolicLink.getFullPathName(), input.getFullPathName() },
        { "a hard link to the input", input.getFullPathName(), hardLink.getFullPathName() },
    };

    for (const auto& c : cases)
    {
        const auto run = runRenderer ({ c.input, c.output });
        EXPECT_EQ (run.exitCode, 2) << c.name << ": " << run.output;
        EXPECT_TRUE (run.output.contains ("is the input file itself")) << c.name << ": " << run.output;
        EXPECT_EQ (run.output.trimEnd().indexOfChar ('\n'), -1) << c.name << ": one line only";
        EXPECT_EQ (bytesOf (input), original) << c.name << ": the input is untouched";
        EXPECT_TRUE (symbolicLink.isSymbolicLink()) << c.name;
        EXPECT_EQ (filesIn(), files) << c.name << ": nothing left behind";
    }

    const auto run = runRenderer ({ input.getFullPathName(), copy.getFullPathName() });
    EXPECT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (isPlainWav (copy));
    EXPECT_NE (bytesOf (copy), original);
    EXPECT_EQ (bytesOf (input), original);
}

// The level below which the output counts as silent when the render ends by itself: -96 dBFS.
constexpr float quietLevel = 1.5848932e-5f;

bool isQuiet (const juce::AudioBuffer<float>& audio, int frame)
{
    for (int c = 0; c < audio.getNumChannels(); ++c)
        if (std::abs (audio.getSample (c, frame)) >= quietLevel)
            return false;
    return true;
}

// Without --tail the render goes on after the input until the echoes have died away: until the
// output has stayed below -96 dBFS for half a second, and 30 s after the input at most, where
// the echo feeds itself for ever. --tail sets the length exactly, and --tail 0 ends with the
// input; up to there the output is the same whatever the tail.
TEST_F (RendererTest, KeepsTheEchoesByDefault)
{
    constexpr int rate = 8000, inputFrames = 2400, halfSecond = rate / 2;
    const auto input = file ("noise.wav"), empty = file ("empty.wav");
    writeWav (input, vimbrel::test::noiseBurst<float> (2, inputFrames, 21), rate, 32);
    writeWav (empty, juce::AudioBuffer<float> (2, 0), rate, 32);

    const auto render = [&] (const juce::File& in, juce::StringArray options)
    {
        const auto output = file ("out.wav");
        options = joined ({ in.getFullPathName(), output.getFullPathName(), "--float" }, options);
        const auto run = runRenderer (options);
        EXPECT_EQ (run.exitCode, 0) << options.joinIntoString (" ") << ": " << run.output;
        return readWav (output).audio;
    };

    const struct
    {
        const char* name;
        juce::StringArray options;
        int frames; // or 0: wherever the output has been quiet for half a second
    } cases[] = {
        { "swell dying away", { "--program", "Mono Swell" }, 0 },
        { "repeats that feed themselves",
          { "--program", "Mono Swell", "--set", "Mode=1", "--set", "Length=1" },
          inputFrames + 30 * rate },
        { "--tail 1.25", { "--program", "Mono Swell", "--tail", "1.25" }, inputFrames + 10000 },
    };

    for (const auto& c : cases)
    {
        auto out = render (input, c.options);
        const int frames = out.getNumSamples();
        if (c.frames > 0)
            EXPECT_EQ (frames, c.frames) << c.name;
        else
        {
            // It ends at the first point the output has been quiet for half a second, well after
            // the input, and holds the echoes between.
            ASSERT_GT (frames, inputFrames + 2 * halfSecond) << c.name;
            int quietFrames = 0;
            while (quietFrames < frames && isQuiet (out, frames - 1 - quietFrames))
                ++quietFrames;
            EXPECT_EQ (quietFrames, halfSecond) << c.name;
            EXPECT_GT (out.getMagnitude (inputFrames, frames - inputFrames - halfSecond), 0.01f) << c.name;
        }

        // A later --tail overrides an earlier one.
        auto endingWithTheInput = c.options;
        endingWithTheInput.addArray ({ "--tail", "0" });
        const auto head = render (input, endingWithTheInput);
        ASSERT_EQ (head.getNumSamples(), inputFrames) << c.name;
        const juce::AudioBuffer<float> outputWhileTheInputPlays (out.getArrayOfWritePointers(), 2, inputFrames);
        EXPECT_EQ (vimbrel::test::firstDifference (outputWhileTheInputPlays, head), -1)
            << c.name << ": the tail changes nothing before it";
    }

    EXPECT_EQ (render (empty, {}).getNumSamples(), 0) << "an empty input gets no tail";
}

// The words the panel prints for its controls (a slot the panel does not show lists "-").
const char* const panelWords[] = { "Input",    "Length",   "Tone",     "Volume",      "Mode",         "Heads",
                                   "Level",    "-",        "-",        "Stages",      "Manual tempo", "Manual",
                                   "Host",     "Classic",  "-",        "Stereo FB 1", "Double time",  "Stereo FB 2",
                                   "Beat 5/8", "Beat 6/8", "Beat 7/8", "Beat 8/8" };
static_assert (std::size (panelWords) == NewProjectAudioProcessor::numParameterSlots);

// A line of --list split at its columns (two spaces or more apart).
juce::StringArray columnsOf (const juce::String& line)
{
    juce::StringArray columns;
    auto rest = line.trim();
    while (rest.isNotEmpty())
    {
        const int gap = rest.indexOf ("  ");
        columns.add (gap < 0 ? rest : rest.substring (0, gap));
        rest = gap < 0 ? juce::String() : rest.substring (gap).trimStart();
    }
    return columns;
}

// --list shows every slot with its panel word, the name a host shows, the value a host starts it
// at and that value as the host shows it (or that a host cannot set it), then the programs.
TEST_F (RendererTest, ListsTheParametersAndPrograms)
{
    const auto run = runRenderer ({ "--list" });
    ASSERT_EQ (run.exitCode, 0) << run.output;
    const auto lines = juce::StringArray::fromLines (run.output);

    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const int header = lines.indexOf ("slot  panel         host                  default   shown as");
    ASSERT_GE (header, 0) << run.output;

    for (int slot = 0; slot < processor->getNumParameters(); ++slot)
    {
        const auto columns = columnsOf (lines[header + 1 + slot]);
        const bool settable = processor->isParameterAutomatable (slot);
        const float hostDefault = processor->getParameterDefaultValue (slot);
        processor->setParameter (slot, hostDefault);
        const auto shown = settable ? processor->getParameterText (slot).trim() : "(keeps nothing a host can set)";

        ASSERT_GE (columns.size(), 4) << lines[header + 1 + slot];
        EXPECT_EQ (columns[0], juce::String (slot));
        EXPECT_EQ (columns[1], panelWords[slot]) << "slot " << slot;
        EXPECT_EQ (columns[2], processor->getParameterName (slot)) << "slot " << slot;
        EXPECT_NEAR (columns[3].getDoubleValue(), hostDefault, 1.0e-6) << "slot " << slot;
        EXPECT_EQ (columns[4], shown) << "slot " << slot;
    }

    const int programs = lines.indexOf ("Programs (--program takes the number or the name, in any case):");
    ASSERT_GT (programs, header) << run.output;
    for (int program = 0; program < processor->getNumPrograms(); ++program)
        EXPECT_EQ (columnsOf (lines[programs + 1 + program]),
                   juce::StringArray (juce::String (program), processor->getProgramName (program)));
    EXPECT_TRUE (lines[programs + 1 + processor->getNumPrograms()].isEmpty());
}

// --help and --version print on standard output and end with status 0, also when files are named
// too (nothing is rendered); the version is the build's, which the manual page made from them
// shows as well.
TEST_F (RendererTest, AnswersHelpAndVersionAlone)
{
    struct Case
    {
        juce::StringArray arguments;
        juce::String output;
    };
    const juce::String version = "vimbrel-render " VIMBREL_VERSION "\n";
    const Case cases[] = {
        { { "--version" }, version },
        { { "--version", "in.wav", "out.wav" }, version },
        { { "--help" }, vimbrel::render::renderUsage },
        { { "-h", "in.wav" }, vimbrel::render::renderUsage },
    };

    for (const auto& c : cases)
    {
        const auto run = runRenderer (c.arguments);
        EXPECT_EQ (run.exitCode, 0) << c.arguments.joinIntoString (" ");
        EXPECT_EQ (run.output, c.output) << c.arguments.joinIntoString (" ");
    }
}

// A parameter is known by its slot, by the name a host shows or by the word on the panel, in
// any case; a slot that keeps nothing a host can set is refused, by any of its names.
TEST (RendererSlotNames, SlotsByIndexHostNameOrPanelWordInAnyCase)
{
    using vimbrel::render::settableSlotNamed;

    const struct
    {
        const char* name;
        int slot;
    } known[] = {
        { "Lenght", 1 },
        { "length", 1 },
        { "LENGTH", 1 },
        { "Heads", 5 },
        { "delay selection", 5 },
        { "mode", 4 },
        { "Selection", 4 },
        { "Input", 0 },
        { "input volume", 0 },
        { "TONE", 2 },
        { "Volume", 3 },
        { "Stages", 9 },
        { "Oversampling", 9 },
        { "manual tempo", 10 },
        { "Manual", 11 },
        { "host", 12 },
        { "Classic", 13 },
        { "Stereo FB 1", 15 },
        { "stereo feedback 1", 15 },
        { "double time", 16 },
        { "stereo fb 2", 17 },
        { "Beat 5/8", 18 },
        { "beat 6/8", 19 },
        { "BEAT 7/8", 20 },
        { "Beat 8/8", 21 },
        { "0", 0 },
        { "21", 21 },
    };
    for (const auto& c : known)
    {
        EXPECT_NO_THROW (EXPECT_EQ (settableSlotNamed (c.name), c.slot) << c.name) << c.name;
    }

    const struct
    {
        const char* name;
        const char* message;
    } refused[] = {
        { "Level", "slot 6 (Level) keeps nothing a host can set" },
        { "6", "slot 6 keeps nothing a host can set" },
        { "7", "slot 7 keeps nothing" },
        { "8", "slot 8 keeps nothing" },
        { "14", "slot 14 keeps nothing" },
        { "No Parameter", "unknown parameter 'No Parameter'" },
        { "22", "unknown parameter '22'" },
        { "Lengt", "unknown parameter 'Lengt'" },
        { "5/8", "unknown parameter '5/8'" },
        { "", "unknown parameter ''" },
    };
    for (const auto& c : refused)
    {
        try
        {
            settableSlotNamed (c.name);
            ADD_FAILURE() << "'" << c.name << "' is not refused";
        }
        catch (const vimbrel::render::UsageError& error)
        {
            EXPECT_TRUE (juce::String (error.what()).startsWith (c.message)) << error.what();
        }
    }
}

// The renderer applies a setting given by a panel word or a host name in any case exactly as
// one given by its slot, and the settings are heard.
TEST_F (RendererTest, SettingsByNameSoundAsBySlot)
{
    const auto input = file ("in.wav"), output = file ("out.wav");
    writeWav (input, phrase (2, 8000.0, 0.3), 8000.0, 16);
    const auto render = [&] (juce::StringArray settings)
    {
        settings = joined ({ input.getFullPathName(), output.getFullPathName(), "--tail", "0.5" }, settings);
        const auto run = runRenderer (settings);
        EXPECT_EQ (run.exitCode, 0) << run.output;
        return bytesOf (output);
    };

    const auto bySlot = render ({ "--set", "1=0.9", "--set", "5=1", "--set", "15=1", "--set", "2=0.2" });
    EXPECT_EQ (render ({ "--set", "LENGTH=0.9", "--set", "heads=1", "--set", "Stereo FB 1=1", "--set", "tone=0.2" }),
               bySlot);
    EXPECT_EQ (render ({ "--set", "lenght=0.9", "--set", "Delay Selection=1", "--set", "stereo feedback 1=1", "--set",
                         "TONE=0.2" }),
               bySlot);
    EXPECT_NE (render ({}), bySlot);
}

// The processor's output for an input when the host has chosen a program, played as the renderer
// plays it: set up, a first empty block with the tempo, then the program and its blocks.
juce::AudioBuffer<float> playProgram (int program, const juce::AudioBuffer<float>& input, double rate, int tailFrames,
                                      int blockSize)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const int channels = input.getNumChannels();
    vimbrel::hostsim::prepareLikeHost (*processor, rate, channels, {}, blockSize);
    vimbrel::hostsim::FixedTempoPlayHead playHead; // 120 BPM, the renderer's own
    processor->setPlayHead (&playHead);

    juce::AudioBuffer<double> empty (channels, 0);
    juce::MidiBuffer midi;
    processor->processBlock (empty, midi);
    processor->setCurrentProgram (program);
    processor->setDependentParameters();

    juce::AudioBuffer<double> audio (channels, input.getNumSamples() + tailFrames);
    audio.clear();
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < input.getNumSamples(); ++i)
            audio.setSample (c, i, input.getSample (c, i));
    vimbrel::hostsim::processInBlocks (*processor, audio, blockSize);
    processor->setPlayHead (nullptr);

    juce::AudioBuffer<float> output (channels, audio.getNumSamples());
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < audio.getNumSamples(); ++i)
            output.setSample (c, i, (float) audio.getSample (c, i));
    return output;
}

// The values a program gives the slots.
std::vector<float> settingsOf (int program)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->setCurrentProgram (program);
    std::vector<float> values;
    for (int slot = 0; slot < processor->getNumParameters(); ++slot)
        values.push_back (processor->getParameter (slot));
    return values;
}

// Each program, asked for by name in any case or by number, sounds exactly as the processor plays
// it once a host has chosen that program; and programs whose settings differ sound different.
TEST_F (RendererTest, ProgramsSoundAsTheProcessorPlaysThem)
{
    constexpr double rate = 22050.0;
    constexpr int tailFrames = 22050, blockSize = 256;
    const auto audio = phrase (2, rate, 0.5);
    const auto input = file ("phrase.wav"), output = file ("out.wav");
    writeWav (input, audio, rate, 32);

    const struct
    {
        const char* asked;
        int program;
    } cases[] = { { "Standard", 0 }, { "stereo delay", 1 }, { "2", 2 }, { "Stereo Swell", 3 },
                  { "4", 4 },        { "GUITAR", 5 } };

    std::vector<juce::AudioBuffer<float>> outputs;
    for (const auto& c : cases)
    {
        const auto run = runRenderer ({ input.getFullPathName(), output.getFullPathName(), "--program", c.asked,
                                        "--tail", "1", "--float", "--block", juce::String (blockSize) });
        ASSERT_EQ (run.exitCode, 0) << c.asked << ": " << run.output;
        outputs.push_back (readWav (output).audio);
        const auto expected = playProgram (c.program, audio, rate, tailFrames, blockSize);
        ASSERT_EQ (outputs.back().getNumSamples(), expected.getNumSamples()) << c.asked;
        EXPECT_EQ (vimbrel::test::firstDifference (outputs.back(), expected), -1) << c.asked;
    }

    // "Guitar" differs from "Mono Swell" only in a value no slot shows and the sound does not use.
    int differentPairs = 0;
    for (size_t i = 0; i < outputs.size(); ++i)
        for (size_t j = i + 1; j < outputs.size(); ++j)
            if (settingsOf (cases[i].program) != settingsOf (cases[j].program))
            {
                EXPECT_NE (vimbrel::test::firstDifference (outputs[i], outputs[j]), -1)
                    << cases[i].asked << " and " << cases[j].asked;
                ++differentPairs;
            }
    EXPECT_EQ (differentPairs, 14);
}

// --float writes the float format with the parts it requires (see isPlainWav), and the samples
// are the input's unchanged where the echo adds nothing.
TEST_F (RendererTest, FloatFilesHaveTheFormatsHeaderAndTheSamplesUnchanged)
{
    const auto input = file ("in.wav"), output = file ("out.wav");
    writeWav (input, phrase (2, 44100.0, 0.3), 44100.0, 24);
    const auto run = runRenderer (
        { input.getFullPathName(), output.getFullPathName(), "--float", "--set", "Volume=0", "--tail", "0" });
    ASSERT_EQ (run.exitCode, 0) << run.output;

    EXPECT_TRUE (isPlainWav (output));
    const auto in = readWav (input), out = readWav (output);
    EXPECT_TRUE (out.isFloat);
    ASSERT_EQ (out.codes.size(), in.codes.size());
    for (size_t i = 0; i < in.codes.size(); ++i)
    {
        float sample;
        std::memcpy (&sample, &out.codes[i], 4);
        ASSERT_EQ (sample, (float) (in.codes[i] / 2147483648.0)) << "sample " << i;
    }
}

// Where sox is installed, its soxi reads every format the renderer writes without a warning.
TEST_F (RendererTest, SoxReadsTheOutputWithoutWarnings)
{
    juce::File soxi;
    for (const auto& directory :
         juce::StringArray::fromTokens (juce::SystemStats::getEnvironmentVariable ("PATH", {}), ":", {}))
        if (const auto candidate = juce::File (directory).getChildFile ("soxi"); candidate.existsAsFile())
            soxi = candidate;
    if (soxi == juce::File())
        GTEST_SKIP() << "soxi is not installed (Debian package sox)";

    const auto input = file ("in.wav");
    writeWav (input, phrase (1, 8000.0, 0.1), 8000.0, 24);
    for (const auto& options : { juce::StringArray(), juce::StringArray ("--float") })
    {
        const auto output = file ("out.wav");
        ASSERT_EQ (runRenderer (joined ({ input.getFullPathName(), output.getFullPathName() }, options)).exitCode, 0);

        juce::ChildProcess process;
        ASSERT_TRUE (process.start (juce::StringArray { soxi.getFullPathName(), output.getFullPathName() },
                                    juce::ChildProcess::wantStdErr));
        const auto warnings = process.readAllProcessOutput();
        process.waitForProcessToFinish (10000);
        EXPECT_EQ (process.getExitCode(), 0u) << options.joinIntoString (" ");
        EXPECT_TRUE (warnings.isEmpty()) << options.joinIntoString (" ") << ": " << warnings;
    }
}
} // namespace
