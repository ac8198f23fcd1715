# cmake -DFACTS=<scarabo-facts formats output> -DPAGE=<page> -DOUTPUT=<file> -P ManualPage.cmake:
# fills the page's ${SCARABO_...} file types and glyph sizes from the program's own table.
include(${FACTS})
configure_file(${PAGE} ${OUTPUT})
