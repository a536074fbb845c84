# Run after the framework's LV2 helper has written the plug-in's description (dsp.ttl):
#   cmake -D DESCRIPTION=<dsp.ttl> -D EMAIL=<address> -P AmendLv2Description.cmake
# declares the plug-in a delay (lv2:DelayPlugin, which hosts file under "Delay") and its maker's
# address a mailto: one. Fails when the framework writes either in another way than expected,
# so that a new framework version is looked at instead of leaving the description unchanged.
file(READ "${DESCRIPTION}" text)

function(amend from to)
    string(FIND "${text}" "${to}" amended)
    string(FIND "${text}" "${from}" found)
    if(amended EQUAL -1 AND found EQUAL -1)
        message(FATAL_ERROR "${DESCRIPTION} holds no '${from}' to amend")
    endif()
    string(REPLACE "${from}" "${to}" replaced "${text}")
    set(text "${replaced}" PARENT_SCOPE)
endfunction()

amend("\ta lv2:Plugin ;\n\tdoap:name" "\ta lv2:DelayPlugin , lv2:Plugin ;\n\tdoap:name")
amend("\t\tfoaf:mbox <${EMAIL}> ;" "\t\tfoaf:mbox <mailto:${EMAIL}> ;")

file(WRITE "${DESCRIPTION}" "${text}")
