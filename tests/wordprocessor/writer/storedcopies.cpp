#include "storedcopies.h"

#include "wordprocessor/writer/unostring.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <QUrl>

namespace {

void storeCopy(const TextDocuments::Document& document, const QString& path, const char* filter) {
    css::beans::PropertyValue filterName;
    filterName.Name = "FilterName";
    filterName.Value <<= rtl::OUString::createFromAscii(filter);
    css::uno::Reference<css::frame::XStorable>(document, css::uno::UNO_QUERY_THROW)
        ->storeToURL(toOUString(QUrl::fromLocalFile(path).toString()),
                     css::uno::Sequence<css::beans::PropertyValue>(&filterName, 1));
}

} // namespace

void storeCopies(const TextDocuments::Document& document, const QString& docx, const QString& odt) {
    storeCopy(document, docx, "MS Word 2007 XML");
    storeCopy(document, odt, "writer8");
}
