# The product: a 32-bit GUI executable that needs nothing but system DLLs.

set(WIZARD_PRODUCT_FLAGS -fexec-charset=GBK -fno-exceptions -fno-rtti -fno-threadsafe-statics)
target_compile_options(wizard_core PRIVATE ${WIZARD_PRODUCT_FLAGS})
target_compile_definitions(wizard_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600)

# winspool.drv is delay-loaded (from System32 by full path, see
# framework/safe_startup.cpp), so the loader never looks for it beside the
# program.
set(WINSPOOL_DELAY_LIB ${CMAKE_CURRENT_BINARY_DIR}/libwinspool_delay.a)
add_custom_command(
    OUTPUT ${WINSPOOL_DELAY_LIB}
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${CMAKE_CURRENT_SOURCE_DIR}/platform/winspool.def
            --dllname winspool.drv --output-delaylib ${WINSPOOL_DELAY_LIB}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/platform/winspool.def
    COMMENT "Delay-load import library for winspool.drv")
add_custom_target(winspool_delay DEPENDS ${WINSPOOL_DELAY_LIB})

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_executable(OstrelSetup WIN32
    framework/message_map.cpp
    framework/wnd.cpp
    framework/dialog.cpp
    framework/win_app.cpp
    framework/safe_startup.cpp
    app/installer_app.cpp
    platform/os_detect_win32.cpp
    platform/win32_spooler.cpp
    platform/win32_system.cpp
    pages/os_select_dlg.cpp
    pages/printer_settings_dlg.cpp
    pages/about_dlg.cpp
    pages/port_select_dlg.cpp
    pages/create_port_dlg.cpp
    install/install_printer.cpp
    res/installer.rc
)
set_source_files_properties(res/installer.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/res/app.manifest;${CMAKE_CURRENT_SOURCE_DIR}/res/app.ico;${CMAKE_CURRENT_SOURCE_DIR}/res/resource.h")
add_dependencies(OstrelSetup winspool_delay)
target_compile_options(OstrelSetup PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WIZARD_PRODUCT_FLAGS}>)
target_link_options(OstrelSetup PRIVATE -static -static-libgcc -static-libstdc++ -s
    -Wl,--gc-sections -Wl,-e,_SafeStartup -Wl,--nxcompat -Wl,--dynamicbase)
target_link_libraries(OstrelSetup PRIVATE wizard_core ${WINSPOOL_DELAY_LIB} comctl32 advapi32 shell32 user32 kernel32)
