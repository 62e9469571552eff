// A spell in which the user was away from the machine while it was on, and
// what the bar asks about it on the user's return: the item that ran when
// the spell began and how much of its booked time lies in the spell. The
// configured rest periods are rest already: the time in them is neither
// counted nor moved.
#pragma once

#include "records/timeranges.h"
#include "records/timevalues.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zanpel {

class TDataList;
struct TRestRange;

struct TAwaySpell {
    TDateTime From = 0; // the last input, or the lock of the screen
    TDateTime To = 0;   // the first input, or the unlock
    bool operator==(const TAwaySpell&) const = default;
};

struct TAwayQuestion {
    TAwaySpell Spell;
    std::string Item;    // CP932: the item that ran at the spell's start
    int64_t Seconds = 0; // of its booked time in the spell that an answer moves
};

// The spell cut at midnights: each day's part, in seconds of that day.
struct TSpellDay {
    DayNumber Day = 0;
    TimeRange Part;
};
std::vector<TSpellDay> SpellDays(const TAwaySpell& spell);

// The configured rest periods as seconds of a day.
std::vector<TimeRange> RestSeconds(const std::vector<TRestRange>& rest);

// What to ask about spell: none when no item, or the rest item, ran at its
// start. Months other than the list's are read where the bar keeps them.
std::optional<TAwayQuestion> AskAboutSpell(TDataList& list, const std::vector<TRestRange>& rest,
                                           const TAwaySpell& spell);

// Seconds of item's booked time in spell outside the configured rest periods.
int64_t AwaySeconds(TDataList& list, const std::vector<TRestRange>& rest, const TAwaySpell& spell,
                    const std::string& item);

} // namespace zanpel
