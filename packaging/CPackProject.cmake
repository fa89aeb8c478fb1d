# Read by cpack as it packs. CPack warns of every shared object without a soname, which the
# package module is on purpose: a plug-in opened by its path, never linked.
set(CMAKE_SUPPRESS_DEVELOPER_WARNINGS ON CACHE INTERNAL "")
