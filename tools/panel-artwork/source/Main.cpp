// Draws the plug-in's front-panel artwork: the background and every film strip and button
// picture, written as PNG files into one folder per image group, once for every picture set
// (images/ at 1x, images@2x/ at 2x).
//
//   panel-artwork [output-folder] [--preview folder]
//
// The output folder, which receives the sets' folders, defaults to the repository's resources/.
// With --preview, the panel with all controls placed on it, and sheets of every frame, are
// written as well (from the 1x set).

#include "Catalogue.h"

#include <PictureCatalogue.h>

#include <iostream>
#include <set>
#include <utility>
#include <vector>

#ifndef PANEL_ARTWORK_DEFAULT_OUTPUT
#error "the build defines PANEL_ARTWORK_DEFAULT_OUTPUT"
#endif

namespace
{
// Debian package fonts-liberation2.
const char* const fontFolder = "/usr/share/fonts/truetype/liberation2";

int usage()
{
    std::cerr << "usage: panel-artwork [output-folder] [--preview folder]\n";
    return 2;
}
} // namespace

int main (int argc, char* argv[])
{
    juce::File outputRoot (PANEL_ARTWORK_DEFAULT_OUTPUT);
    juce::File previewFolder;

    for (int i = 1; i < argc; ++i)
    {
        const juce::String arg (argv[i]);

        if (arg == "--preview" && i + 1 < argc)
            previewFolder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[++i]);
        else if (arg.startsWith ("-"))
            return usage();
        else
            outputRoot = juce::File::getCurrentWorkingDirectory().getChildFile (arg);
    }

    artwork::Fonts fonts;
    const auto fontError = fonts.load (juce::File (fontFolder));

    if (fontError.isNotEmpty())
    {
        for (const auto& line : juce::StringArray::fromLines (fontError.trimEnd()))
            std::cerr << "panel-artwork: " << line << "\n";

        std::cerr << "panel-artwork: the Liberation fonts are needed (Debian package fonts-liberation2)\n";
        return 1;
    }

    juce::StringArray problems;
    std::vector<std::pair<panelpictures::PictureSet, std::vector<artwork::Picture>>> sets;

    for (const auto& set : panelpictures::pictureSets)
        sets.emplace_back (set, artwork::drawCatalogue (fonts, set.scale, problems));

    if (! problems.isEmpty())
    {
        for (const auto& problem : problems)
            std::cerr << "panel-artwork: " << problem << "\n";

        std::cerr << "panel-artwork: nothing written\n";
        return 1;
    }

    for (const auto& [set, pictures] : sets)
    {
        const auto setFolder = outputRoot.getChildFile (juce::String (set.folder.data(), set.folder.size()));
        std::set<juce::String> folders;
        juce::int64 totalBytes = 0;

        for (const auto& picture : pictures)
        {
            const auto folder = setFolder.getChildFile (picture.folder);
            const auto file = folder.getChildFile (picture.name + ".png");
            juce::MemoryOutputStream png;

            if (! folder.createDirectory() || ! juce::PNGImageFormat().writeImageToStream (picture.image, png) ||
                ! file.replaceWithData (png.getData(), png.getDataSize()))
            {
                std::cerr << "panel-artwork: cannot write " << file.getFullPathName() << "\n";
                return 1;
            }

            folders.insert (picture.folder);
            totalBytes += (juce::int64) png.getDataSize();
        }

        std::cout << "panel-artwork: wrote " << pictures.size() << " images in " << folders.size() << " folders ("
                  << totalBytes / 1024 << " KiB) to " << setFolder.getFullPathName() << "\n";
    }

    if (previewFolder != juce::File() && ! artwork::writePreviews (sets.front().second, fonts, previewFolder))
    {
        std::cerr << "panel-artwork: cannot write the previews to " << previewFolder.getFullPathName() << "\n";
        return 1;
    }

    return 0;
}
