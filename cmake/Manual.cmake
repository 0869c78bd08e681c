# The user manual: docs/manual/*.md rendered to Manual/Manual.pdf beside the
# program by our own small Qt tool (Qt's Markdown reader and PDF writer).
# The program is built with it, so "マニュアルを見る" works from build/ too.
add_executable(tankora_manual_pdf tools/manual_pdf.cpp)
target_link_libraries(tankora_manual_pdf PRIVATE Qt6::Gui)

file(GLOB TANKORA_MANUAL_INPUTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/docs/manual/*.md ${CMAKE_SOURCE_DIR}/docs/manual/images/*.png)
set(TANKORA_MANUAL_PDF ${CMAKE_BINARY_DIR}/Manual/Manual.pdf)
add_custom_command(OUTPUT ${TANKORA_MANUAL_PDF}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:tankora_manual_pdf> ${CMAKE_SOURCE_DIR}/docs/manual ${TANKORA_MANUAL_PDF}
  DEPENDS tankora_manual_pdf ${TANKORA_MANUAL_INPUTS}
  COMMENT "Rendering the manual to Manual/Manual.pdf"
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${TANKORA_MANUAL_PDF})
add_dependencies(tankora manual)
