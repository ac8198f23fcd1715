#include "modbrowseto.h"

#include "defaulthandler.h"

void BrowseTo(const QString& target) {
    DefaultHandler::open(target);
}
