# Builds the FLAG pictures into the resources (filled in by the reference-data work).
function(qvmd_add_flag_resources target)
endfunction()
