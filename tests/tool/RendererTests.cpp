#include <gtest/gtest.h>
#include <juce_audio_basics/juce_audio_basics.h>

#include <cstring>

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

// A plain WAV file: 8, 16, 24 or 32-bit integer samples, or 32-bit float.
void writeWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits,
               bool isFloat = false)
{
    juce::MemoryOutputStream out;
    const int channels = audio.getNumChannels(), frames = audio.getNumSamples(), bytes = bits / 8;
    const auto dataBytes = (juce::uint32) (frames * channels * bytes);
    out.write ("RIFF", 4);
    out.writeInt ((int) (36 + dataBytes));
    out.write ("WAVEfmt ", 8);
    out.writeInt (16);
    out.writeShort (isFloat ? 3 : 1);
    out.writeShort ((short) channels);
    out.writeInt ((int) rate);
    out.writeInt ((int) rate * channels * bytes);
    out.writeShort ((short) (channels * bytes));
    out.writeShort ((short) bits);
    out.write ("data", 4);
    out.writeInt ((int) dataBytes);

    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
        {
            const float x = audio.getSample (c, i);
            if (isFloat)
                out.writeFloat (x);
            else if (bits == 8)
                out.writeByte ((char) (juce::uint8) std::lround (128.0 + x * 127.0));
            else
            {
                const auto code = (juce::int64) std::lround (x * (std::ldexp (1.0, bits - 1) - 1.0));
                for (int b = 0; b < bytes; ++b)
                    out.writeByte ((char) (code >> (8 * b)));
            }
        }

    ASSERT_TRUE (file.replaceWithData (out.getData(), out.getDataSize()));
}

struct Decoded
{
    juce::AudioBuffer<float> audio;
    std::vector<juce::int64> codes; // the raw samples, interleaved
    double rate = 0;
    int bits = 0;
    bool isFloat = false;
};

// Reads a WAV file of the plain layout the renderer writes.
Decoded readWav (const juce::File& file)
{
    juce::MemoryBlock data;
    Decoded decoded;
    if (! file.loadFileAsData (data) || data.getSize() < 44)
        return decoded;

    juce::MemoryInputStream in (data, false);
    in.setPosition (20);
    decoded.isFloat = in.readShort() == 3;
    const int channels = in.readShort();
    decoded.rate = in.readInt();
    in.setPosition (34);
    decoded.bits = in.readShort();
    in.setPosition (40);
    const int bytes = decoded.bits / 8, frames = in.readInt() / (bytes * channels);

    decoded.audio.setSize (channels, frames);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
        {
            juce::int64 code = 0;
            for (int b = 0; b < bytes; ++b)
                code |= (juce::int64) (juce::uint8) in.readByte() << (8 * b);
            if (! decoded.isFloat && (code >> (decoded.bits - 1)) != 0)
                code -= (juce::int64) 1 << decoded.bits;
            decoded.codes.push_back (code);

            float value;
            const auto raw = (juce::uint32) code;
            std::memcpy (&value, &raw, 4);
            decoded.audio.setSample (
                c, i, decoded.isFloat ? value : (float) ((double) code / std::ldexp (1.0, decoded.bits - 1)));
        }

    return decoded;
}

TEST_F (RendererTest, AtVolumeZeroEveryFormatComesBackUnchanged)
{
    const struct
    {
        const char* name;
        int channels;
        double rate;
        int bits; // 0: 32-bit integer
    } cases[] = {
        { "16-bit stereo, 48 kHz", 2, 48000.0, 16 },
        { "24-bit mono, 44.1 kHz", 1, 44100.0, 24 },
        { "32-bit integer stereo, 96 kHz", 2, 96000.0, 0 },
        { "32-bit float stereo, 22.05 kHz", 2, 22050.0, 32 },
    };

    for (const auto& c : cases)
    {
        const auto input = file ("in.wav"), output = file ("out.wav");
        const auto audio = phrase (c.channels, c.rate, 0.5);
        writeWav (input, audio, c.rate, c.bits == 0 ? 32 : c.bits, c.bits == 32);

        const auto run = runRenderer ({ input.getFullPathName(), output.getFullPathName(), "--set", "Volume=0",
                                        "--program", "Guitar", "--block", "100" });
        ASSERT_EQ (run.exitCode, 0) << c.name << ": " << run.output;

        // The output has the input's format and, bit for bit, its samples.
        const auto in = readWav (input), out = readWav (output);
        EXPECT_EQ (out.rate, c.rate) << c.name;
        EXPECT_EQ (out.bits, c.bits == 0 ? 32 : c.bits) << c.name;
        EXPECT_EQ (out.isFloat, c.bits == 32) << c.name;
        ASSERT_EQ (out.audio.getNumSamples(), in.audio.getNumSamples()) << c.name;
        ASSERT_EQ (out.audio.getNumChannels(), c.channels) << c.name;
        EXPECT_EQ (in.codes, out.codes) << c.name;
        EXPECT_GT (out.audio.getMagnitude (0, out.audio.getNumSamples()), 0.1f) << c.name;
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

TEST_F (RendererTest, LongRendersShowProgress)
{
    const auto input = file ("long.wav"), output = file ("long-out.wav");
    juce::AudioBuffer<float> silence (1, 8000 * 40);
    silence.clear();
    writeWav (input, silence, 8000.0, 16);

    const auto run = runRenderer ({ input.getFullPathName(), output.getFullPathName() });
    EXPECT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (run.output.contains ("100 %")) << run.output;
}

TEST_F (RendererTest, BadInputGivesOneClearMessageAndNoFile)
{
    const auto good = file ("good.wav");
    writeWav (good, phrase (2, 48000.0, 0.2), 48000.0, 16);

    const auto truncated = file ("truncated.wav");
    juce::MemoryBlock goodBytes;
    ASSERT_TRUE (good.loadFileAsData (goodBytes));
    truncated.replaceWithData (goodBytes.getData(), 1000);
    const auto text = file ("text.wav");
    text.replaceWithText ("this is no audio");
    const auto eightBit = file ("eight-bit.wav");
    writeWav (eightBit, phrase (1, 8000.0, 0.1), 8000.0, 8);
    const auto threeChannels = file ("three.wav");
    writeWav (threeChannels, phrase (3, 8000.0, 0.1), 8000.0, 16);

    const auto output = file ("out.wav");
    const juce::String in = good.getFullPathName(), out = output.getFullPathName();

    const struct
    {
        const char* name;
        juce::StringArray arguments;
        const char* message;
    } cases[] = {
        { "missing input", { file ("nothing.wav").getFullPathName(), out }, "no such file" },
        { "truncated input", { truncated.getFullPathName(), out }, "truncated" },
        { "not a WAV file", { text.getFullPathName(), out }, "not a WAV file" },
        { "8-bit input", { eightBit.getFullPathName(), out }, "8-bit" },
        { "three channels", { threeChannels.getFullPathName(), out }, "3 channels" },
        { "unknown parameter", { in, out, "--set", "Feedback=0.5" }, "unknown parameter 'Feedback'" },
        { "unnamed slot by name", { in, out, "--set", "No Parameter=0.5" }, "unknown parameter" },
        { "value not a number", { in, out, "--set", "tone=loud" }, "must be a number" },
        { "unknown program", { in, out, "--program", "Reverb" }, "unknown program 'Reverb'" },
        { "program out of range", { in, out, "--program", "6" }, "unknown program '6'" },
        { "unknown option", { in, out, "--wet" }, "unknown option '--wet'" },
        { "option without value", { in, out, "--bpm" }, "--bpm needs a value" },
        { "one path only", { in }, "give one input and one output file" },
        { "unwritable output",
          { in, folder.getChildFile ("no/such/folder/out.wav").getFullPathName() },
          "cannot write" },
    };

    for (const auto& c : cases)
    {
        const auto run = runRenderer (c.arguments);
        EXPECT_NE (run.exitCode, 0) << c.name;
        EXPECT_TRUE (run.output.contains (c.message)) << c.name << ": " << run.output;
        EXPECT_EQ (run.output.trimEnd().indexOfChar ('\n'), -1) << c.name << ": one line only";
        EXPECT_FALSE (output.exists()) << c.name;
        EXPECT_EQ (filesIn(), 5) << c.name << ": no partial files left";
    }

    // A failed render leaves an existing output as it was.
    output.replaceWithText ("keep me");
    EXPECT_NE (runRenderer ({ in, out, "--program", "Reverb" }).exitCode, 0);
    EXPECT_EQ (output.loadFileAsString(), "keep me");
}
} // namespace
