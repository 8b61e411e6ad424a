# Writes the manifest of the built-in dictionary's data files: one line a file with its SHA-256, its size in bytes
# and its name. The programs refuse a data file that does not match it.
#     cmake -DMANIFEST=OUTPUT -DDATA_FILES="FILE|FILE|..." -P DataManifest.cmake
string(REPLACE "|" ";" files "${DATA_FILES}")
set(lines "# SHA-256, size in bytes and name of each data file, as the build made them\n")
foreach(file IN LISTS files)
    file(SHA256 "${file}" hash)
    file(SIZE "${file}" size)
    get_filename_component(name "${file}" NAME)
    string(APPEND lines "${hash} ${size} ${name}\n")
endforeach()
file(WRITE "${MANIFEST}.new" "${lines}")
file(RENAME "${MANIFEST}.new" "${MANIFEST}")
