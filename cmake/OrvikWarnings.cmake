# Stricter warnings on the targets whose code is clean under them; keep it so.
# -Wshadow is on for every target (set beside -Wall in the top CMakeLists.txt).
#
# -Wconversion (narrowing of integers and floating point): every library and
# program of src/.
set(ORVIK_CONVERSION_CLEAN
  orvik_domain orvik_text orvik_textcodec orvik_base orvik_db orvik_datalist orvik_print_pages
  orvik_print orvik_import orvik_app
  orvik_dbf orvik_health orvik_leave orvik_backup orvik_update
  orvik_ui orvik_ui_health orvik_ui_leave orvik_ui_import orvik-cli orvik-asigurati)
# -Wsign-conversion: only where no index or size changes sign unannounced;
# elsewhere it names about a hundred int indexes into standard containers.
set(ORVIK_SIGN_CONVERSION_CLEAN
  orvik_base orvik_db orvik_textcodec orvik_print orvik_update orvik-asigurati)

foreach(target IN LISTS ORVIK_CONVERSION_CLEAN)
  target_compile_options(${target} PRIVATE -Wconversion)
endforeach()
foreach(target IN LISTS ORVIK_SIGN_CONVERSION_CLEAN)
  target_compile_options(${target} PRIVATE -Wsign-conversion)
endforeach()
