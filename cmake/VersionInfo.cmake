# The program's version record. Everything that shows or embeds version texts reads them from here:
# the run-time record (platform/versioninfo) and, on Windows, the executable's VERSIONINFO resource.
set(SCARABO_FILE_DESCRIPTION "Scarabo - Kethra's English to Hieroglyphics Translator")
set(SCARABO_PRODUCT_NAME "Scarabo")
set(SCARABO_COMMENTS "Convert English to Ancient Egyptian.")
set(SCARABO_COMPANY_NAME "Quillworks")
set(SCARABO_LEGAL_COPYRIGHT "Copyright (C) 2026 Quillworks")
set(SCARABO_INTERNAL_NAME "Scarabo")
set(SCARABO_ORIGINAL_FILENAME "Scarabo.exe")
