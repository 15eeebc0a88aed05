// A MessageService for tests: keeps every box it is asked to show and
// answers Yes/No boxes from a queue the test fills. An Ok box never takes an
// answer from the queue; a Yes/No box with an empty queue gets
// `unansweredQuestion` (No unless the test says otherwise), a
// Save/Discard/Cancel box Cancel.
#ifndef ZW_TESTS_SCRIPTED_MESSAGE_SERVICE_H
#define ZW_TESTS_SCRIPTED_MESSAGE_SERVICE_H

#include "MessageService.h"

#include <deque>
#include <vector>

namespace zwtest {

class ScriptedMessageService : public zw::MessageService {
public:
    std::vector<zw::MessageBoxRequest> shown;
    std::deque<zw::MessageAnswer> answers;
    zw::MessageAnswer unansweredQuestion = zw::MessageAnswer::No;

    void answerNext(zw::MessageAnswer answer) { answers.push_back(answer); }

    zw::MessageAnswer show(const zw::MessageBoxRequest& box) override {
        shown.push_back(box);
        if (box.buttons == zw::MessageButtons::Ok)
            return zw::MessageAnswer::Ok;
        if (answers.empty())
            return box.buttons == zw::MessageButtons::SaveDiscardCancel ? zw::MessageAnswer::Cancel
                                                                        : unansweredQuestion;
        const zw::MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    bool empty() const { return shown.empty(); }
    const zw::MessageBoxRequest& last() const { return shown.back(); }
    void clear() { shown.clear(); }
};

} // namespace zwtest

#endif // ZW_TESTS_SCRIPTED_MESSAGE_SERVICE_H
