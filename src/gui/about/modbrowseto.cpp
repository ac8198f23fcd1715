#include "gui/about/modbrowseto.h"

#include "platform/defaulthandler.h"

void BrowseTo(const QString& target) {
    DefaultHandler::open(target);
}
