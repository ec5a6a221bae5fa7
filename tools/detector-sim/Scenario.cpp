// Scenario events and what they impose at a given time.
#include "Scenario.h"

#include <cmath>
#include <sstream>
#include <utility>

namespace sim {

namespace {
constexpr int kDefaultWalkPeak = 1000;

constexpr std::pair<const char*, EventKind> kActions[] = {
    {"walk", EventKind::Walk},   {"malfunction", EventKind::Malfunction},
    {"dis", EventKind::Dis},     {"silence", EventKind::Silence},
    {"noise", EventKind::Noise}, {"corrupt", EventKind::Corrupt}};

bool Within(const ScenarioEvent& event, double t) {
    return t >= event.start && t < event.start + event.duration;
}
} // namespace

std::optional<ScenarioEvent> ParseEvent(const std::string& line, std::string& error) {
    error.clear();
    std::istringstream in(line);
    std::string first;
    if (!(in >> first) || first[0] == '#') {
        return std::nullopt;
    }
    ScenarioEvent event;
    std::string action;
    std::istringstream startText(first);
    if (!(startText >> event.start) || !(in >> action >> event.duration) || event.start < 0 ||
        event.duration <= 0) {
        error = "expected \"<start> <action> <duration> [value]\": " + line;
        return std::nullopt;
    }
    bool known = false;
    for (const auto& [name, kind] : kActions) {
        if (action == name) {
            event.kind = kind;
            known = true;
        }
    }
    if (!known) {
        error = "unknown action \"" + action + "\": " + line;
        return std::nullopt;
    }
    if (!(in >> event.value)) {
        event.value = event.kind == EventKind::Walk ? kDefaultWalkPeak : -1;
    }
    if (event.kind == EventKind::Dis && (event.value < 0 || event.value > 3)) {
        error = "dis needs a code 0..3: " + line;
        return std::nullopt;
    }
    return event;
}

const char* ActionName(EventKind kind) {
    for (const auto& [name, action] : kActions) {
        if (action == kind) {
            return name;
        }
    }
    return "?";
}

bool Scenario::Active(EventKind kind, double t) const {
    for (const auto& event : events) {
        if (event.kind == kind && Within(event, t)) {
            return true;
        }
    }
    return false;
}

Conditions Scenario::At(double t) const {
    Conditions conditions;
    for (const auto& event : events) {
        if (!Within(event, t)) {
            continue;
        }
        if (event.kind == EventKind::Walk) {
            // The intruder approaches and leaves: the signal rises to the peak and falls back,
            // crossing each threshold on the way up and again on the way down.
            const double phase = (t - event.start) / event.duration;
            conditions.walkLevel =
                static_cast<int>(event.value * (1.0 - std::fabs(2.0 * phase - 1.0)));
        } else if (event.kind == EventKind::Malfunction) {
            conditions.malfunction = true;
        } else if (event.kind == EventKind::Dis) {
            conditions.dis = event.value;
        }
    }
    return conditions;
}

bool Scenario::Silent(double t) const {
    return Active(EventKind::Silence, t);
}
bool Scenario::Noisy(double t) const {
    return Active(EventKind::Noise, t);
}
bool Scenario::Corrupting(double t) const {
    return Active(EventKind::Corrupt, t);
}

} // namespace sim
