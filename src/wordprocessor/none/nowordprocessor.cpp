#include "wordprocessor/api/wordprocessor.h"

#include <QCoreApplication>

namespace {

// What a build without any word-processor backend offers: nothing runs and nothing can start.
class NoWordProcessor final : public WordProcessor {
public:
    bool findRunning() override { return false; }
    void start() override { unavailable(); }
    void attachRunning() override { unavailable(); }
    void addDocument(AddDocumentArguments) override { unavailable(); }
    void setVisible(bool) override { unavailable(); }
    int documentCount() override { unavailable(); }
    void addPicture(const QString&, const QString&) override { unavailable(); }
    void typeParagraph() override { unavailable(); }
    void abort() override {}

private:
    [[noreturn]] static void unavailable() {
        throw RuntimeError(ErrorNumber::CannotCreateObject,
                           QStringLiteral("no word processor is available to this program"));
    }
};

} // namespace

std::unique_ptr<WordProcessor> createWordProcessor() {
    return std::make_unique<NoWordProcessor>();
}

WordProcessorInfo wordProcessorInfo() {
    return {QCoreApplication::translate("WordProcessor", "a word processor"),
            QCoreApplication::translate("WordProcessor",
                                        "This copy of Scarabo was built without a word processor "
                                        "to export to."),
            QString()};
}
