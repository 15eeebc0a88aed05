// A FileDialogService for tests: keeps every request and answers with the
// paths the test queued (open and save separately), an open answer with the
// filter entry it was chosen under when the test gave one (else the
// request's selected filter); an empty queue answers as a cancelled dialog.
#ifndef ZW_TESTS_SCRIPTED_FILE_DIALOG_SERVICE_H
#define ZW_TESTS_SCRIPTED_FILE_DIALOG_SERVICE_H

#include "FileDialogService.h"

#include <deque>
#include <vector>

namespace zwtest {

class ScriptedFileDialogService : public zw::FileDialogService {
public:
    std::vector<zw::FileDialogRequest> opened;
    std::vector<zw::FileDialogRequest> saved;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> openFilters; // alongside openAnswers

    void answerOpen(const QString& path, const QString& filter = {}) {
        openAnswers.push_back(path);
        openFilters.push_back(filter);
    }
    void answerSave(const QString& path) { saveAnswers.push_back(path); }

    QString chooseOpenFile(const zw::FileDialogRequest& request) override {
        return chooseOpenFileAndFilter(request).path;
    }
    zw::FileDialogChoice chooseOpenFileAndFilter(const zw::FileDialogRequest& request) override {
        opened.push_back(request);
        const QString filter = next(openFilters);
        return {next(openAnswers), filter.isEmpty() ? request.selectedFilter : filter};
    }
    QString chooseSaveFile(const zw::FileDialogRequest& request) override {
        saved.push_back(request);
        return next(saveAnswers);
    }

private:
    static QString next(std::deque<QString>& answers) {
        if (answers.empty())
            return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace zwtest

#endif // ZW_TESTS_SCRIPTED_FILE_DIALOG_SERVICE_H
