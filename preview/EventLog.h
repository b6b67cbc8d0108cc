#pragma once

#include "platform/ActivityMonitor.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

// What the phone did, oldest first, as a person watching it would want to
// read it: files written, addresses opened (and refused), notifications
// posted, sheets presented and dismissed, mail sent.
//
// The app runs for days, so the log keeps only the most recent `kWindow`
// entries and the count of all that were ever added: memory and the cost of
// reading it stay flat however long the history. Each entry keeps its index
// in the whole history, so a reader that holds the entries before N asks for
// those from N and learns, from the first index it gets, whether some left
// the window before it caught up. Clearing starts a new generation: a reader
// that names the generation its N belongs to learns that the log was
// cleared since, however many entries came after. Not thread-safe: the owner
// guards it.
class EventLog {
public:
    static constexpr std::size_t kWindow = 500;

    struct Event {
        std::string time; // UTC, ISO 8601 with milliseconds
        std::string kind;
        std::string detail;
        bool succeeded = true;
    };

    // The entry for `activity`, stamped with the time now.
    static Event eventFor(const ActivityMonitor::Activity& activity);

    void add(Event event);
    // Forgets every entry; the count starts again from zero in a new generation.
    void clear();

    std::uint64_t count() const { return _count; }
    // How many times the log was cleared.
    std::uint64_t generation() const { return _generation; }
    // The index of the oldest entry still kept.
    std::uint64_t firstIndex() const { return _count - _events.size(); }

    // Where a reader stands: the index of the first entry it lacks, in the
    // generation it names (none: the current one).
    struct Position {
        std::uint64_t from = 0;
        std::optional<std::uint64_t> generation;
    };

    // The kept entries from `position` on, oldest first
    // ([{"generation", "index", "time", "kind", "detail", "succeeded"}]); all
    // that are kept when it is older than the window, of another generation,
    // or lies past the count (a reader of a log cleared since).
    nlohmann::json entriesFrom(Position position) const;
    // Where `entriesFrom(position)` starts.
    std::uint64_t startFor(Position position) const;

private:
    std::deque<Event> _events;
    std::uint64_t _count = 0;
    std::uint64_t _generation = 0;
};
