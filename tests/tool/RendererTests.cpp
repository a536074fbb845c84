#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

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

// Whether a file has the plain layout the renderer writes: the 44-byte header, then the samples.
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
    in.setPosition (40);
    const auto dataSize = (juce::uint32) in.readInt();
    return text (0) == "RIFF" && text (8) == "WAVE" && text (12) == "fmt " && formatSize == 16 && text (36) == "data" &&
           riffSize == dataSize + 36 && data.getSize() == 44 + (size_t) dataSize;
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
                                        "--program", "Guitar", "--block", "100" });
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
        const auto run = runRenderer ({ input.getFullPathName(), output.getFullPathName() });

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
