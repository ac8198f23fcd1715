#include "platform/versioninfo.h"

#include "versioninfo_data.h"

const VersionInfo& VersionInfo::current() {
    static const VersionInfo info{QStringLiteral(SCARABO_FILE_DESCRIPTION),
                                  QStringLiteral(SCARABO_PRODUCT_NAME),
                                  QStringLiteral(SCARABO_COMMENTS),
                                  QStringLiteral(SCARABO_COMPANY_NAME),
                                  QStringLiteral(SCARABO_LEGAL_COPYRIGHT),
                                  QStringLiteral(SCARABO_INTERNAL_NAME),
                                  QStringLiteral(SCARABO_ORIGINAL_FILENAME),
                                  QStringLiteral(SCARABO_APP_ID),
                                  QStringLiteral(SCARABO_WEB_HOST),
                                  SCARABO_VERSION_MAJOR,
                                  SCARABO_VERSION_MINOR,
                                  SCARABO_VERSION_REVISION};
    return info;
}
