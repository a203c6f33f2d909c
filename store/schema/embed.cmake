# Writes the table scripts into a header as raw string literals.
file(READ ${SQLITE} sqlite)
file(READ ${POSTGRESQL} postgresql)
file(WRITE ${OUT} "#pragma once\n// Generated from store/schema/*.sql\n"
  "static const char kSqliteSchema[] = R\"sql(${sqlite})sql\";\n"
  "static const char kPostgresqlSchema[] = R\"sql(${postgresql})sql\";\n")
