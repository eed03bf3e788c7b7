# The web terminal's load benchmark: 20 terminals scanning through the HTTP
# server against the bare round trip of the same library; a plain program
# that prints both with their ratio.
add_executable(web_bench ${CMAKE_CURRENT_SOURCE_DIR}/web_bench.cpp)
target_link_libraries(web_bench PRIVATE gw_web PkgConfig::HTTPLIB)
