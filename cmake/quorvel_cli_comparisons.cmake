# The tests that hold a cross-built quorvel-cli, run by COMMAND..., to the quorvel-cli of a
# native Linux build: the shared cases and 100,000 generated presses, 20,000 more in JSON, and
# single presses with options, errors, Chinese and full-width texts. The output and the exit
# statuses must be the same, byte for byte. Arguments pass through a UTF-8 locale.
#   quorvel_compare_cli_with_reference(REFERENCE_BUILD COMMAND...)
function(quorvel_compare_cli_with_reference reference_build)
  set(reference_cli ${reference_build}/cli/quorvel-cli)
  set(generator ${reference_build}/tests/quorvel_press_generator)
  set(scripts ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME cli_batch_matches_the_reference_build
           COMMAND ${scripts}/compare-builds.sh ${generator} 100000 ${reference_cli} ${ARGN})
  add_test(NAME cli_json_batch_matches_the_reference_build
           COMMAND ${scripts}/compare-builds.sh --json ${generator} 20000 ${reference_cli}
                   ${ARGN})
  add_test(NAME cli_single_presses_match_the_reference_build
           COMMAND ${scripts}/compare-single-presses.sh ${reference_cli} ${ARGN})
  set_tests_properties(cli_batch_matches_the_reference_build
                       cli_json_batch_matches_the_reference_build
                       cli_single_presses_match_the_reference_build
                       PROPERTIES TIMEOUT 900 ENVIRONMENT LC_ALL=C.UTF-8)
endfunction()
