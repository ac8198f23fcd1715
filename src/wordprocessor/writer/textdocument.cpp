#include "wordprocessor/writer/textdocument.h"

#include "wordprocessor/api/wordprocessor.h"
#include "wordprocessor/writer/picturefile.h"
#include "wordprocessor/writer/unostring.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <QSize>

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace TextDocuments {

namespace {

template <class Visit> void forEachTextDocument(const Desktop& desktop, Visit visit) {
    const auto components = desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        const Document document(components->nextElement(), UNO_QUERY);
        if (document.is() && !visit(document))
            return;
    }
}

Reference<css::frame::XFrame> frameOf(const Document& document) {
    const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
    return model->getCurrentController()->getFrame();
}

// Where Word's selection is: the office's view cursor, collapsed to its end so that inserting
// never replaces the text the user selected.
Reference<css::text::XTextRange> insertionPoint(const Document& document) {
    const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
    const Reference<css::text::XTextViewCursorSupplier> views(model->getCurrentController(),
                                                              UNO_QUERY_THROW);
    const auto cursor = views->getViewCursor();
    cursor->collapseToEnd();
    return Reference<css::text::XTextRange>(cursor.get());
}

Reference<css::graphic::XGraphic> graphicFrom(const Reference<css::uno::XComponentContext>& office,
                                              const QByteArray& picture) {
    const css::uno::Sequence<sal_Int8> bytes(reinterpret_cast<const sal_Int8*>(picture.constData()),
                                             static_cast<sal_Int32>(picture.size()));
    css::beans::PropertyValue source;
    source.Name = "InputStream";
    source.Value <<= css::io::SequenceInputStream::createStreamFromSequence(office, bytes);
    auto graphic = css::graphic::GraphicProvider::create(office)->queryGraphic(
        css::uno::Sequence<css::beans::PropertyValue>(&source, 1));
    if (!graphic.is())
        throw RuntimeError(ErrorNumber::InvalidPicture);
    return graphic;
}

QSize sizeProperty(const Reference<css::beans::XPropertySet>& properties, const char* name) {
    css::awt::Size size;
    properties->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= size;
    return {size.Width, size.Height};
}

// Without a size of its own Writer shows every picture 0.566 cm square.
css::awt::Size naturalSize(const Reference<css::graphic::XGraphic>& graphic) {
    const Reference<css::beans::XPropertySet> properties(graphic, UNO_QUERY_THROW);
    const QSize size = naturalSizeIn100thMm(sizeProperty(properties, "Size100thMM"),
                                            sizeProperty(properties, "SizePixel"));
    return {size.width(), size.height()};
}

// Writer calls the title a picture's "Text Alternative", the short text for people who cannot see
// it; Word's documents keep the description as theirs (.docx "descr"). Both get the text.
void setAlternativeText(const Reference<css::beans::XPropertySet>& properties,
                        const QString& text) {
    const Any value(toOUString(text));
    properties->setPropertyValue("Title", value);
    properties->setPropertyValue("Description", value);
}

} // namespace

int count(const Desktop& desktop) {
    int found = 0;
    forEachTextDocument(desktop, [&found](const Document&) {
        ++found;
        return true;
    });
    return found;
}

Document findActive(const Desktop& desktop) {
    Document document(desktop->getCurrentComponent(), UNO_QUERY);
    if (!document.is()) {
        forEachTextDocument(desktop, [&document](const Document& each) {
            document = each;
            return false;
        });
    }
    return document;
}

Document active(const Desktop& desktop) {
    Document document = findActive(desktop);
    if (!document.is())
        throw RuntimeError(ErrorNumber::NoDocumentOpen);
    return document;
}

void add(const Desktop& desktop) {
    const Document document(
        desktop->loadComponentFromURL("private:factory/swriter", "_blank", 0, {}), UNO_QUERY_THROW);
    frameOf(document)->activate();
}

void setWindowVisible(const Document& document, bool visible) {
    const auto frame = frameOf(document);
    const auto window = frame->getContainerWindow();
    window->setVisible(visible);
    if (!visible)
        return;
    const Reference<css::awt::XTopWindow> topWindow(window, UNO_QUERY);
    if (topWindow.is())
        topWindow->toFront();
    frame->activate();
}

void insertPicture(const Reference<css::uno::XComponentContext>& office, const Document& document,
                   const QByteArray& picture, const QString& altText) {
    const auto graphic = graphicFrom(office, picture);
    const Reference<css::lang::XMultiServiceFactory> factory(document, UNO_QUERY_THROW);
    const Reference<css::text::XTextContent> shape(
        factory->createInstance("com.sun.star.text.TextGraphicObject"), UNO_QUERY_THROW);
    const Reference<css::beans::XPropertySet> properties(shape, UNO_QUERY_THROW);
    properties->setPropertyValue("Graphic", Any(graphic));
    properties->setPropertyValue("AnchorType", Any(css::text::TextContentAnchorType_AS_CHARACTER));
    properties->setPropertyValue("Size", Any(naturalSize(graphic)));
    if (!altText.isEmpty())
        setAlternativeText(properties, altText);
    const auto at = insertionPoint(document);
    at->getText()->insertTextContent(at, shape, false);
}

void insertParagraphBreak(const Document& document) {
    const auto at = insertionPoint(document);
    at->getText()->insertControlCharacter(at, css::text::ControlCharacter::PARAGRAPH_BREAK, false);
}

} // namespace TextDocuments
