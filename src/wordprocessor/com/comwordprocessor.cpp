#include "wordprocessor/api/wordprocessor.h"
#include "wordprocessor/com/apartment.h"
#include "wordprocessor/com/comerror.h"
#include "wordprocessor/com/wordapplication.h"

#include <type_traits>

namespace {

// Word itself, through COM automation. Created on the export's worker thread, which it puts in a
// single-threaded apartment of its own until it is destroyed.
class ComWordProcessor final : public WordProcessor {
public:
    bool findRunning() override {
        return translated([this] { return m_word.findRunning(); });
    }
    void start() override {
        translated([this] { m_word.start(); });
    }
    void attachRunning() override {
        translated([this] { m_word.attachRunning(); });
    }
    void addDocument(AddDocumentArguments arguments) override {
        translated([this, arguments] { m_word.addDocument(arguments); });
    }
    void setVisible(bool visible) override {
        translated([this, visible] { m_word.setVisible(visible); });
    }
    int documentCount() override {
        return translated([this] { return m_word.documentCount(); });
    }
    void addPicture(const QString& path, const QString& altText) override {
        translated([this, &path, &altText] {
            m_word.addPicture(path.toStdWString(), altText.toStdWString());
        });
    }
    void typeParagraph() override {
        translated([this] { m_word.typeParagraph(); });
    }
    void abort() override { m_word.cancel(); }

private:
    // Our run-time error for a failure of Word's; 18 for every one after abort().
    template <class Call> std::invoke_result_t<Call> translated(Call call) {
        try {
            return call();
        } catch (const wordcom::ComError& error) {
            if (m_word.isCancelled())
                throw RuntimeError(ErrorNumber::UserInterrupt);
            throw RuntimeError(error.number(), QString::fromStdWString(error.description()));
        }
    }

    const wordcom::SingleThreadedApartment m_apartment; // first in, last out
    wordcom::WordApplication m_word;
};

} // namespace

std::unique_ptr<WordProcessor> createWordProcessor() {
    return std::make_unique<ComWordProcessor>();
}

// Word's own error says when it is missing, in the words Windows users know.
WordProcessorInfo wordProcessorInfo() {
    return {QStringLiteral("Microsoft Word"), QString(), QString()};
}
