#include "report/prompter.h"

#include <ostream>

#include "report/status_text.h"

namespace tavelmark::report {

using model::RangeName, model::RangeRef;

void RecordingPrompter::message(std::string_view text, std::string_view title, MessageIcon icon) {
    events.push_back({Kind::Message, std::string(text), std::string(title), icon, {}, false});
}

bool RecordingPrompter::ask(std::string_view text, std::string_view title, MessageIcon icon) {
    bool answer = false;
    if (!answers.empty()) {
        answer = answers.front();
        answers.erase(answers.begin());
    }
    events.push_back({Kind::Question, std::string(text), std::string(title), icon, {}, answer});
    return answer;
}

void RecordingPrompter::setStatusBusy() { events.push_back({Kind::Busy, kStatusBusy, {}, {}, {}, false}); }

void RecordingPrompter::setStatusReady() {
    events.push_back({Kind::Ready, kStatusReady, {}, {}, {}, false});
}

void RecordingPrompter::showGridSelection(const RangeRef& range) {
    events.push_back({Kind::Selection, RangeName(range), {}, {}, range, false});
}

std::vector<RecordingPrompter::Event> RecordingPrompter::dialogs() const {
    std::vector<Event> result;
    for (const auto& e : events)
        if (e.kind == Kind::Message || e.kind == Kind::Question) result.push_back(e);
    return result;
}

std::string RecordingPrompter::statusText() const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->kind == Kind::Busy) return kStatusBusy;
        if (it->kind == Kind::Ready) return kStatusReady;
    }
    return kStatusReady;
}

void StreamPrompter::message(std::string_view text, std::string_view title, MessageIcon) {
    out_ << title << ": " << text << '\n';
}

bool StreamPrompter::ask(std::string_view text, std::string_view title, MessageIcon) {
    out_ << title << ": " << text << " -> 否 (batch mode answers No)\n";
    return false;
}

void StreamPrompter::showGridSelection(const RangeRef& range) {
    out_ << "selected: " << RangeName(range) << '\n';
}

}  // namespace tavelmark::report
