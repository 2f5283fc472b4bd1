/*
 * calc.c - a small desk calculator.
 *
 * Reads lines such as "3 + 4 * (2 - 1) % 3" from standard input and prints
 * the value of each. Knows + - * / % and parentheses, and decimal points.
 */

#include <ctype.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_LINE 1024

struct parser {
	const char *text;
	int pos;
	int error;
};

static double expression(struct parser *p);

static void skip_blanks(struct parser *p)
{
	while (isspace((unsigned char)p->text[p->pos]))
		p->pos++;
}

static int peek(struct parser *p)
{
	skip_blanks(p);
	return p->text[p->pos];
}

static double number(struct parser *p)
{
	char *end;
	double value;

	skip_blanks(p);
	value = strtod(p->text + p->pos, &end);
	if (end == p->text + p->pos)
		p->error = 1;
	p->pos = (int)(end - p->text);
	return value;
}

static double factor(struct parser *p)
{
	double value;

	if (peek(p) == '(') {
		p->pos++;
		value = expression(p);
		if (peek(p) != ')')
			p->error = 1;
		else
			p->pos++;
		return value;
	}
	if (peek(p) == '-') {
		p->pos++;
		return -factor(p);
	}
	return number(p);
}

static double term(struct parser *p)
{
	double value = factor(p);

	for (;;) {
		int op = peek(p);
		if (op == '*') {
			p->pos++;
			value *= factor(p);
		} else if (op == '/') {
			p->pos++;
			value /= factor(p);
		} else if (op == '%') {
			p->pos++;
			value = fmod(value, factor(p));
		} else {
			return value;
		}
	}
}

static double expression(struct parser *p)
{
	double value = term(p);

	for (;;) {
		int op = peek(p);
		if (op == '+') {
			p->pos++;
			value  +=  term(p);
		} else if (op == '-') {
			p->pos++;
			value -= term(p);
		} else {
			return value;
		}
	}
}

static void strip_newline(char *line)
{
	line[strcspn(line, "\r\n")] = '\0';
}

static int evaluate(const char *line, double *result)
{
	struct parser p = { line, 0, 0 };

	*result = expression(&p);
	if (peek(&p) != '\0')
		p.error = 1;
	return p.error ? -1 : 0;
}

static void print_value(double value)
{
	if (isnan(value) || isinf(value))
		printf("undefined\n");
	else
		printf("%.10g\n", value);
}

int main(int argc, char **argv)
{
	char line[MAX_LINE];
	double value;
	int line_number = 0;
	int errors = 0;

	(void)argv;
	if (argc > 1) {
		fprintf(stderr, "calc takes no arguments\n");
		return 2;
	}

	while (fgets(line, sizeof line, stdin) != NULL) {
		line_number++;
		strip_newline(line);
		if (line[0] == '\0' || line[0] == '#')
			continue;
		if (evaluate(line, &value) != 0) {
			fprintf(stderr, "line %d: syntax error\n", line_number);
			errors++;
			continue;
		}
		print_value(value);
	}
	return errors > 0 ? 1 : 0;
}
