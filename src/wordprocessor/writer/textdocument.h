#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <QByteArray>

// Word's Documents collection and Selection, played by the text documents of one office. Other
// kinds of document (spreadsheets, drawings) that the office may have open do not count. UNO
// failures pass on as UNO exceptions; our own findings are RuntimeErrors.
namespace TextDocuments {

using Desktop = css::uno::Reference<css::frame::XDesktop2>;
using Document = css::uno::Reference<css::text::XTextDocument>;

int count(const Desktop& desktop);
// The document the user works in: the office's current document when it is a text document,
// else the first open text document; null when none is open.
Document findActive(const Desktop& desktop);
// As findActive; throws RuntimeError 4248 when no text document is open.
Document active(const Desktop& desktop);
// Opens a new blank text document in a window of its own and makes it the active one.
void add(const Desktop& desktop);

// Shows or hides the document's window; shown, it also comes to the front and gets the focus.
void setWindowVisible(const Document& document, bool visible);

// The picture (the bytes of an image file) as a character at the end of the selection, at its
// natural size, stored in the document, with altText (unless empty) as its alternative text.
// Selected text stays. Throws RuntimeError 481 when the office cannot read the bytes as a picture.
void insertPicture(const css::uno::Reference<css::uno::XComponentContext>& office,
                   const Document& document, const QByteArray& picture, const QString& altText);
// A paragraph break at the end of the selection.
void insertParagraphBreak(const Document& document);

} // namespace TextDocuments
