# The program's version record. Everything that shows or embeds version texts reads them from here:
# the run-time record (platform/versioninfo) and, on Windows, the executable's VERSIONINFO resource.
set(SCARABO_FILE_DESCRIPTION "Scarabo - Kethra's English to Hieroglyphics Translator")
set(SCARABO_PRODUCT_NAME "Scarabo")
set(SCARABO_COMMENTS "Convert English to Ancient Egyptian.")
set(SCARABO_COMPANY_NAME "Quillworks")
set(SCARABO_LEGAL_COPYRIGHT "Copyright (C) 2026 Quillworks")
set(SCARABO_INTERNAL_NAME "Scarabo")
set(SCARABO_ORIGINAL_FILENAME "Scarabo.exe")
# The desktop's name for the program (launcher, AppStream record, window association). The maker has
# no domain of its own, so it lives under the reserved example domain.
set(SCARABO_APP_ID "com.example.scarabo")
# The maker's web host: the About window's home page is http://<host>/main, the desktop records use
# https, which AppStream asks for.
set(SCARABO_WEB_HOST "scarabo.example.com")
