# Resources in the eight languages, generated from English templates (*.rc.in)
# and the translation catalogues beside them (a folder "catalog" next to each
# template holds da.po, de.po, es.po, fr.po, it.po, nl.po, sv.po).

set(VH_LANGUAGES da de es fr it nl sv)

# vh_localized_resources(OUT NAME TEMPLATE...): generates NAME.rc in the current
# binary folder from the templates, for Windows builds, and sets OUT to its path.
# A template may be a generated file; then pass its catalogue folder after it as
# "TEMPLATE=CATALOG_DIR".
function(vh_localized_resources out name)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
    set(pairs)
    set(depends)
    foreach(entry ${ARGN})
        if(entry MATCHES "^(.*)=(.*)$")
            set(template ${CMAKE_MATCH_1})
            set(catalog ${CMAKE_MATCH_2})
        else()
            get_filename_component(template ${entry} ABSOLUTE)
            get_filename_component(folder ${template} DIRECTORY)
            set(catalog ${folder}/catalog)
        endif()
        list(APPEND pairs ${template} ${catalog})
        list(APPEND depends ${template})
        foreach(language ${VH_LANGUAGES})
            list(APPEND depends ${catalog}/${language}.po)
        endforeach()
    endforeach()
    add_custom_command(OUTPUT ${rc}
        COMMAND ${VH_HOST_BIN}/vh_rcgen generate ${rc} ${pairs}
        DEPENDS host_tools ${VH_HOST_BIN}/vh_rcgen ${depends}
        COMMENT "Resources of ${name} in every language")
    set(${out} ${rc} PARENT_SCOPE)
endfunction()

# vh_check_catalogs(NAME CATALOG_DIR TEMPLATE...): a native test that every
# catalogue of the folder translates every text of the templates, and no more.
function(vh_check_catalogs name catalog)
    if(NOT CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND vh_rcgen check ${catalog} ${ARGN})
    endif()
endfunction()
