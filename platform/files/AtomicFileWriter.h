#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Replaces a file so that a reader, or the file after a crash or a full disk,
// shows either the old content or the new one, never a mix and never nothing:
// the content goes to a temporary file in the same folder, is flushed to disk
// and then renamed over the target. A target that is a symbolic link stays
// one: the file it names is replaced.
class AtomicFileWriter {
public:
    struct Failure {
        // The file meant (the link's target for a link), not the temporary.
        std::string path;
        // An errno, or CFile::errNotRegular.
        int error = 0;
        // Whether anything was written: false when the target was refused or
        // the temporary file could not be made.
        bool wrote = false;

        // "<path>: <reason>".
        std::string Text() const;
    };

    // Refuses a target that exists but is not a regular file, or that this process may not write. `mode`
    // gives the new file's permissions; without it an existing target keeps its own and a new one gets what
    // the umask leaves of 0666.
    static std::optional<Failure> Replace(const std::filesystem::path& target, std::string_view contents,
                                          std::optional<unsigned> mode);

    // Takes one piece of the content; false when it could not be written.
    using Sink = std::function<bool(std::string_view piece)>;
    // The same, the content handed to the sink piece by piece by `produce`,
    // for content too large to hold whole beside its inputs. When `produce`
    // returns false the target is left as it was (ECANCELED unless a write
    // failed first).
    static std::optional<Failure> ReplaceStreamed(const std::filesystem::path& target,
                                                  const std::function<bool(const Sink& sink)>& produce,
                                                  std::optional<unsigned> mode);

    // Takes the next pieces of the content, in order, in one vectored
    // write, so that pieces lying in other buffers are never gathered into
    // one first; false when they could not be written.
    using GatherSink = std::function<bool(std::span<const std::span<const uint8_t>> pieces)>;
    // Fills `into` with the bytes already given to the sink at `offset`;
    // false when it cannot.
    using ReadBack = std::function<bool(uint64_t offset, std::span<uint8_t> into)>;
    // The same, for content made of many pieces that reads back what it
    // made before (a patch's target copying from its own start).
    static std::optional<Failure>
    ReplaceReadingBack(const std::filesystem::path& target,
                       const std::function<bool(const GatherSink& sink, const ReadBack& readBack)>& produce,
                       std::optional<unsigned> mode);

    // The same after creating missing folders, the failure as its Text().
    static std::optional<std::string> Write(const std::filesystem::path& target, std::string_view contents,
                                            unsigned mode);

    // Removes a file; a file that is already gone is no failure.
    static std::optional<std::string> Remove(const std::filesystem::path& target);
};
